#pragma once

#include "convert/LyricStyle.h"
#include "convert/MemoryBudget.h"
#include "engine/TSmfFile.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace lyricast {

// One file to convert; no output when its name gives none. With the folder
// tree kept, `outputRoot` is the output folder, below which the output's own
// folders are made as they are needed.
struct ConversionJob {
    std::string source;
    std::optional<std::string> output;
    std::string outputRoot = {};
};

// What a run does with a file that is at an output before it starts.
enum class IfOutputExists {
    Replace,
    Skip,
    Update, // replaces an output older than its source (by modification time), leaves any other
};

struct OutputPlan;

struct ConversionResult {
    enum class Status {
        Converted,
        NoOutputName,   // the source's name has no "." to put .MID in place of
        ReplacesSource, // the output is this source, or a source of another job
        OutputTaken,    // an earlier job of the list has the same output
        NotLoaded,      // headerResult says why
        OutOfMemory,    // the file, or the song read from it, does not fit in memory
        NotWritable,    // a delta time the output cannot express
        FileError,      // error holds the file layer's message and the system's reason
        OutputExists,   // a file is at the output, and the run leaves it there
    };
    Status status = Status::Converted;
    std::uint8_t headerResult = 0;
    std::string error;
    std::size_t earlier = 0; // OutputTaken: the index of the job that keeps the output
    bool replaced = false;   // Converted: over a file that was at the output before the run
};

// Converts a list of files on a number of worker threads, each with a song of
// its own, and hands every result to the caller on the caller's thread in
// the order of the list, so a run reads the same whatever the number of
// workers. Before any file is touched the run is planned (PlanOutputs):
// outputs that would clash (two jobs with one output, an output that is a
// source of the list) are decided in list order, the earlier job keeping the
// output and the later refused, and outputs already there are replaced or
// left as the run is told. The caller's thread is one of the workers.
// Every file of the list is written in the pool's lyric style.
class ConversionPool {
public:
    using Deliver = std::function<void(std::size_t index, const ConversionResult&)>;

    // `memory`: what the conversions may hold at once (MemoryBudget).
    explicit ConversionPool(unsigned workers, std::uint64_t memory = MemoryBudget::OfThisMachine(),
                            LyricStyle style = {});

    // Returns once every started job is delivered: all of them, unless Stop
    // was called. A pool runs one list: planned here by `existing`, or by the
    // caller (`plan`, of these jobs).
    void Run(std::span<const ConversionJob> jobs, const Deliver& deliver,
             IfOutputExists existing = IfOutputExists::Replace);
    void Run(std::span<const ConversionJob> jobs, const OutputPlan& plan, const Deliver& deliver);

    // Any thread, also from inside `deliver` or before Run has begun: files in
    // progress are finished and delivered, no other is started. A stopped
    // pool stays stopped.
    void Stop();

private:
    void RunOnWorkers(std::span<const ConversionJob> jobs, const OutputPlan& plan,
                      std::span<std::optional<ConversionResult>> results, const Deliver& deliver);
    void DeliverOutOfMemory(std::span<const ConversionJob> jobs, const Deliver& deliver);
    static void StartThreads(unsigned count, std::vector<std::jthread>& threads,
                             const std::function<void()>& work);
    void Work(std::span<const ConversionJob> jobs, const OutputPlan& plan,
              std::span<std::optional<ConversionResult>> results);

    static constexpr std::size_t kNoneAwaited = SIZE_MAX;

    // How far the workers may run ahead of the caller's deliveries: enough to
    // keep them busy, few enough that a stop leaves little started behind it
    // and finished results do not pile up.
    std::size_t Ahead() const { return std::size_t{workers_} * 4; }
    // Under the lock: another file may be started now.
    bool CanStart(std::size_t jobCount) const {
        return !stopped_ && claimed_ < jobCount && claimed_ < delivered_ + Ahead();
    }

    static constexpr std::uint64_t kKeptPerWorker = std::uint64_t{4} << 20;
    static std::uint64_t KeptAside(std::uint64_t memory, unsigned workers);
    ConversionResult ConvertWithin(TSmfFile& song, const ConversionJob& job);
    ConversionResult ResultOf(TSmfFile& song, std::span<const ConversionJob> jobs,
                              const OutputPlan& plan, std::size_t index);

    unsigned workers_;
    LyricStyle style_;
    MemoryBudget budget_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::condition_variable room_; // a worker waits here while it is Ahead() of the caller
    bool stopped_ = false;
    std::size_t claimed_ = 0;
    std::size_t delivered_ = 0;
    std::size_t awaited_ = kNoneAwaited; // the result the caller waits for
};

} // namespace lyricast
