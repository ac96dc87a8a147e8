#include "convert/ConversionPool.h"

#include "convert/ConvertSong.h"
#include "convert/ExistingOutputs.h"
#include "convert/OutputFolders.h"
#include "platform/FileError.h"
#include "platform/FileSize.h"
#include "platform/TemporaryFile.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace lyricast {
namespace {

using Status = ConversionResult::Status;

ConversionResult Convert(TSmfFile& song, const ConversionJob& job, const LyricStyle& style) {
    try {
        if (!job.outputRoot.empty())
            if (auto failure = MakeOutputFolders(job.outputRoot, *job.output, PathRules::Native()))
                return {Status::FileError, 0, std::move(*failure)};
        switch (ConvertSong(song, job.source, *job.output, style)) {
        case ConvertOutcome::Converted:
            return {Status::Converted, 0, {}};
        case ConvertOutcome::NotLoaded:
            return {Status::NotLoaded, song.headerResult, {}};
        case ConvertOutcome::NotWritable:
            return {Status::NotWritable, 0, {}};
        case ConvertOutcome::OutOfMemory:
            return {Status::OutOfMemory, 0, {}};
        }
    } catch (const FileError& error) {
        try {
            return {Status::FileError, 0, error.Explained()};
        } catch (const std::bad_alloc&) {
            return {Status::OutOfMemory, 0, {}}; // not even the message fits
        }
    } catch (const std::bad_alloc&) {
        return {Status::OutOfMemory, 0, {}};
    }
    return {Status::NotWritable, 0, {}};
}

} // namespace

ConversionPool::ConversionPool(unsigned workers, std::uint64_t memory, LyricStyle style)
    : workers_(std::max(workers, 1u)), style_(style), budget_(KeptAside(memory, workers_)) {}

// Each worker's song keeps the memory of a small file for the next one, so
// that much of the budget is always held.
std::uint64_t ConversionPool::KeptAside(std::uint64_t memory, unsigned workers) {
    const std::uint64_t kept = std::uint64_t{workers} * kKeptPerWorker;
    return memory > kept ? memory - kept : 0;
}

// A file is converted once the memory its song can need is free; one that
// could never fit fails at once. A song that needed more than a worker keeps
// gives its memory back to the system afterwards.
ConversionResult ConversionPool::ConvertWithin(TSmfFile& song, const ConversionJob& job) {
    const auto size = FileSizeOf(job.source);
    const std::uint64_t need = size ? TSmfFile::MemoryNeededFor(*size) : 0;
    if (!budget_.CanEverHold(need))
        return {Status::OutOfMemory, 0, {}};
    budget_.Take(need);
    ConversionResult result = Convert(song, job, style_);
    if (need > kKeptPerWorker)
        song = TSmfFile();
    budget_.Give(need);
    return result;
}

// A job the plan decided is not converted; one converted over a file that
// was there says so.
ConversionResult ConversionPool::ResultOf(TSmfFile& song, std::span<const ConversionJob> jobs,
                                          const OutputPlan& plan, std::size_t index) {
    if (plan.decided[index])
        return *plan.decided[index];
    ConversionResult result = ConvertWithin(song, jobs[index]);
    result.replaced = result.status == Status::Converted && plan.exists[index];
    return result;
}

void ConversionPool::Stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
    room_.notify_all();
}

// Takes the next job under the lock, so that the jobs started are always the
// first ones of the list, and converts it with the worker's own song.
void ConversionPool::Work(std::span<const ConversionJob> jobs, const OutputPlan& plan,
                          std::span<std::optional<ConversionResult>> results) {
    TSmfFile song;
    for (;;) {
        std::size_t index = 0;
        {
            std::unique_lock lock(mutex_);
            room_.wait(
                lock, [&] { return stopped_ || claimed_ == jobs.size() || CanStart(jobs.size()); });
            if (stopped_ || claimed_ == jobs.size())
                return;
            index = claimed_++;
        }
        ConversionResult result = ResultOf(song, jobs, plan, index);
        const std::lock_guard lock(mutex_);
        results[index] = std::move(result);
        // Only the result the caller waits for can wake it.
        if (index == awaited_)
            changed_.notify_all();
    }
}

void ConversionPool::Run(std::span<const ConversionJob> jobs, const Deliver& deliver,
                         IfOutputExists existing) {
    OutputPlan plan;
    try {
        plan = PlanOutputs(jobs, existing);
    } catch (const std::bad_alloc&) {
        return DeliverOutOfMemory(jobs, deliver);
    }
    Run(jobs, plan, deliver);
}

void ConversionPool::Run(std::span<const ConversionJob> jobs, const OutputPlan& plan,
                         const Deliver& deliver) {
    {
        const std::lock_guard lock(mutex_);
        claimed_ = 0;
        delivered_ = 0;
    }
    std::vector<std::optional<ConversionResult>> results;
    try {
        results.resize(jobs.size());
    } catch (const std::bad_alloc&) {
        return DeliverOutOfMemory(jobs, deliver);
    }
    RunOnWorkers(jobs, plan, results, deliver);
}

// Without the memory to plan the run no file can be converted; each is told
// so, in order, as a conversion would have told it.
void ConversionPool::DeliverOutOfMemory(std::span<const ConversionJob> jobs,
                                        const Deliver& deliver) {
    const ConversionResult outOfMemory{Status::OutOfMemory, 0, {}};
    for (std::size_t index = 0; index < jobs.size(); ++index) {
        {
            const std::lock_guard lock(mutex_);
            if (stopped_)
                return;
        }
        deliver(index, outOfMemory);
    }
}

// Starts up to `count` threads besides the caller's; where the system gives
// no more, the run goes on with those it has.
void ConversionPool::StartThreads(unsigned count, std::vector<std::jthread>& threads,
                                  const std::function<void()>& work) {
    try {
        threads.reserve(count);
        for (unsigned i = 0; i < count; ++i)
            threads.emplace_back([&work] {
                HoldInterruptsInThisThread();
                work();
            });
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
}

// The caller's thread is one of the workers: while the result it is to hand
// over next is not in, it converts the next file of the list itself instead
// of sleeping until a worker's result wakes it. It waits only when nothing is
// left to start, so a file costs no hand-over between threads; a pool of one
// worker starts no thread at all.
void ConversionPool::RunOnWorkers(std::span<const ConversionJob> jobs, const OutputPlan& plan,
                                  std::span<std::optional<ConversionResult>> results,
                                  const Deliver& deliver) {
    const std::function<void()> work = [&] { Work(jobs, plan, results); };
    std::vector<std::jthread> threads;
    // Declared after the threads, so it runs first: an exception leaving
    // `deliver` stops the workers before they are joined.
    struct StopOnExit {
        ConversionPool& pool;
        ~StopOnExit() { pool.Stop(); }
    } stopOnExit{*this};
    TSmfFile song;
    const unsigned count = static_cast<unsigned>(std::min<std::size_t>(workers_, jobs.size()));
    if (count > 1)
        StartThreads(count - 1, threads, work);

    for (std::size_t next = 0; next < jobs.size(); ++next) {
        std::unique_lock lock(mutex_);
        while (!results[next]) {
            if (stopped_ && next >= claimed_)
                return;
            if (CanStart(jobs.size())) {
                const std::size_t index = claimed_++;
                lock.unlock();
                ConversionResult result = ResultOf(song, jobs, plan, index);
                lock.lock();
                results[index] = std::move(result);
                continue;
            }
            awaited_ = next;
            changed_.wait(lock, [&] { return results[next] || (stopped_ && next >= claimed_); });
            awaited_ = kNoneAwaited;
        }
        const ConversionResult result = std::move(*results[next]);
        results[next].reset();
        lock.unlock();
        deliver(next, result);
        lock.lock();
        delivered_ = next + 1;
        lock.unlock();
        room_.notify_all();
    }
}

} // namespace lyricast
