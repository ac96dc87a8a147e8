// What a conversion does when memory runs out, and how much it takes. This
// binary replaces the global allocator with one that counts the bytes in use
// and can be told to fail: every allocation in it goes through here.
#include "convert/ConvertSong.h"
#include "engine/TSmfFile.h"
#include "support/MemoryLimit.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
// Under a memory limit an allocation the system refuses must fail as it would
// without the sanitizer: with std::bad_alloc, not by ending the process.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

namespace {

// Allocations left before one fails; negative for none to fail.
std::atomic<long long> allowedAllocations{-1};
std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> bytesInUse{0};
std::atomic<std::size_t> mostBytesInUse{0};

// Each block starts with its size, kept in a header as aligned as new's blocks.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    allocations.fetch_add(1);
    if (allowedAllocations.load() >= 0 && allowedAllocations.fetch_sub(1) == 0)
        throw std::bad_alloc();
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t now = bytesInUse.fetch_add(size) + size;
    std::size_t most = mostBytesInUse.load();
    while (now > most && !mostBytesInUse.compare_exchange_weak(most, now)) {
    }
    return block + kHeader;
}

void Release(void* pointer) noexcept {
    if (pointer == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    bytesInUse.fetch_sub(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}

namespace lyricast {
namespace {

using namespace test;
namespace fs = std::filesystem;

// Allocations fail from the `allowed`-th on while it lives.
class FailingAllocations {
public:
    explicit FailingAllocations(long long allowed) { allowedAllocations.store(allowed); }
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
    ~FailingAllocations() { allowedAllocations.store(-1); }
};

std::size_t FilesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

struct Case {
    const char* what;
    Bytes file;
};

// Both lyric styles, the keyboard one with a longest line to break at.
const LyricStyle kStyles[] = {{}, {LyricStyle::Kind::Keyboard, 4}};

// Songs that take every road through the reader, both rewrites and the
// writer: text to rewrite, tags, a title, lyric events beside text, a split
// song merged from several chunks, names, long events, more events than a
// song keeps the memory of between files, and an output longer than the
// writer's buffer.
std::vector<Case> Songs() {
    return {
        {"karaoke", Smf(1, {Track("00 ff 03 04 53 6f 6e 67  00 ff 01 02 2f 5c  00 90 3c 64  60 "
                                  "80 3c 40  00 ff 2f 00"),
                            Track("00 f0 03 7e 7f f7  00 f7 01 41  00 91 3e 64  00 ff 2f 00"),
                            Track("00 ff 01 04 40 54 4d 65  00 ff 01 04 5c 61 62 20  "
                                  "00 ff 01 02 63 64  00 ff 05 01 78  83 60 ff 2f 00")})},
        {"split from two chunks",
         Smf(0, {Track("00 ff 01 01 41  00 90 3c 64  10 95 3e 64  00 ff 2f 00"),
                 Track("05 c3 05  00 ff 06 01 4d  00 ff 2f 00")})},
        {"more events than a song keeps room for", DenseSong(300'000)},
        {"longer than the writer's buffer",
         Smf(1, {Track(SysexEvent(400'000) + Hex("00 90 3c 64") + SysexEvent(700'000) +
                       Hex("00 80 3c 40  00 ff 2f 00"))})},
    };
}

std::vector<std::pair<Case, LyricStyle>> SongsInEveryStyle() {
    std::vector<std::pair<Case, LyricStyle>> cases;
    for (const Case& c : Songs())
        for (const LyricStyle& style : kStyles)
            cases.emplace_back(c, style);
    return cases;
}

// Converts `source` with `song` while allocations fail from the
// `allowed`-th on; true when the file ended as one that does not fit, with
// nothing left behind: no file in `folder`, an empty song, and no more
// memory in use than `held`, which allows for what a song keeps.
::testing::AssertionResult RefusedCleanly(TSmfFile& song, const std::string& source,
                                          const std::string& output, const fs::path& folder,
                                          long long allowed, std::size_t held,
                                          const LyricStyle& style) {
    ConvertOutcome outcome{};
    {
        const FailingAllocations failing(allowed);
        outcome = ConvertSong(song, source, output, style);
    }
    const bool refused =
        outcome == ConvertOutcome::OutOfMemory ||
        (outcome == ConvertOutcome::NotLoaded &&
         (song.headerResult == kHeaderNoChunkTable || song.headerResult == kHeaderNoTrackRecords));
    if (!refused)
        return ::testing::AssertionFailure() << "outcome " << static_cast<int>(outcome);
    if (FilesIn(folder) != 0)
        return ::testing::AssertionFailure() << "a file is left";
    if (song.loaded || song.events().size() != 0)
        return ::testing::AssertionFailure() << "the song is not empty";
    if (bytesInUse.load() > held)
        return ::testing::AssertionFailure() << bytesInUse.load() - held << " bytes more in use";
    return ::testing::AssertionSuccess();
}

// A conversion that runs out of memory at any allocation, be it in the read,
// the rewrite (in either style), the write or the clean-up after it, ends
// that file as one that does not fit: nothing aborts, no file is left, the
// song is empty and its memory is back, and the same song then converts the
// file as before. A new song allocates more than one that kept its memory
// from a file before, so both are run out at each of their allocations.
TEST(Memory, EveryFailedAllocationEndsTheFileAsOutOfMemory) {
    TempDir dir;
    const std::string source = dir / "song.kar";
    const fs::path folder = dir.path() / "out";
    const std::string output = dir / "out/song.MID";
    fs::create_directories(folder);
    for (const auto& [c, style] : SongsInEveryStyle()) {
        SCOPED_TRACE(c.what +
                     std::string(style.kind == LyricStyle::Kind::Keyboard ? ", keyboard" : ""));
        WriteBytes(source, c.file);
        {
            // What the process makes once for all its files (the list of
            // temporary files an interrupt removes) is made here, not counted.
            TSmfFile first;
            ASSERT_EQ(ConvertSong(first, source, output, style), ConvertOutcome::Converted);
            fs::remove(output);
        }
        Bytes expected;
        for (const bool reused : {false, true}) {
            TSmfFile song;
            if (reused) {
                ASSERT_EQ(ConvertSong(song, source, output, style), ConvertOutcome::Converted);
            }
            const std::size_t held = bytesInUse.load();
            const std::size_t before = allocations.load();
            ASSERT_EQ(ConvertSong(song, source, output, style), ConvertOutcome::Converted);
            const std::size_t needed = allocations.load() - before;
            // What a song keeps once a file is done, which a failed one may keep too.
            const std::size_t kept = bytesInUse.load() - held;
            expected = ReadBytes(output);
            fs::remove(output);
            for (std::size_t allowed = 0; allowed < needed; ++allowed) {
                TSmfFile fresh;
                TSmfFile& converting = reused ? song : fresh;
                const std::size_t start = reused ? held : bytesInUse.load();
                ASSERT_TRUE(RefusedCleanly(converting, source, output, folder,
                                           static_cast<long long>(allowed), start + kept, style))
                    << (reused ? "reused" : "new") << " song, allocation " << allowed << " of "
                    << needed;
                ASSERT_EQ(ConvertSong(converting, source, output, style),
                          ConvertOutcome::Converted);
                ASSERT_EQ(ReadBytes(output), expected);
                fs::remove(output);
            }
        }
    }
}

// Rewriting a song's text in either style (a title added, lines broken),
// moving it, forgetting it and destroying it never ask for memory.
TEST(Memory, RewriteAndCleanUpAllocateNothing) {
    for (const auto& [c, style] : SongsInEveryStyle()) {
        SCOPED_TRACE(c.what);
        auto song = std::make_unique<TSmfFile>();
        ASSERT_TRUE(song->LoadFileImage(c.file));
        TSmfFile moved;
        const std::size_t before = allocations.load();
        {
            const FailingAllocations failing(0);
            if (style.kind == LyricStyle::Kind::Keyboard)
                song->LyricsForKeyboard(style.lineLength);
            else
                song->TextToLyric();
            moved = std::move(*song);
            moved.Reset();
            song.reset();
        }
        EXPECT_EQ(allocations.load(), before);
    }
}

// The most memory a conversion takes, from the read of the file to the end
// of its save, stays within what TSmfFile::MemoryNeededFor says of the file,
// in either style, for the songs that take the most for their size.
TEST(Memory, ConversionTakesNoMoreThanTheBound) {
    const Bytes dense = DenseSong(3'000'000);
    const Bytes named =
        Smf(1, {Track(Hex("00 ff 03 01 41") + Bytes(dense.begin() + 22, dense.end()))});
    const Case cases[] = {
        {"dense", dense},
        {"dense, its title in a name", named},
        {"dense, split", DenseSong(3'000'000, 0)},
        {"dense over every channel", SongOverEveryChannel(3'000'000)},
        {"65,535 tracks", SongOfMostTracks()},
        {"500,000 texts", SongOfTexts(500'000)},
        {"one sysex of 20 MB", SongOfOneSysex(20'000'000)},
        {"a small song", Smf(1, {Track("00 90 3c 64  00 ff 2f 00")})},
    };
    TempDir dir;
    const std::string source = dir / "song.kar";
    const std::string output = dir / "song.MID";
    // Whatever the song holds counts, also what it kept from the file before.
    const std::size_t outside = bytesInUse.load();
    TSmfFile song;
    for (const LyricStyle& style : kStyles) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            WriteBytes(source, c.file);
            mostBytesInUse.store(bytesInUse.load());
            ASSERT_EQ(ConvertSong(song, source, output, style), ConvertOutcome::Converted);
            const std::size_t taken = mostBytesInUse.load() - outside;
            EXPECT_LE(taken, TSmfFile::MemoryNeededFor(c.file.size()))
                << taken << " bytes for a file of " << c.file.size();
            fs::remove(output);
        }
    }
}

#ifndef _WIN32
// Under a limit on its address space, a process converting a dense file of
// 50 MB converts it where the limit leaves room enough, and where it does
// not, gets OutOfMemory for it and goes on; it never aborts.
TEST(Memory, DenseFileUnderAnAddressSpaceLimit) {
    TempDir dir;
    const std::string source = dir / "dense.kar";
    const Bytes file = DenseSong(50'000'000);
    WriteBytes(source, file);
    const auto converts = [&](ConvertOutcome expected) {
        return [&, expected] {
            TSmfFile song;
            return ConvertSong(song, source, dir / "dense.MID") == expected &&
                   FilesIn(dir.path()) == (expected == ConvertOutcome::Converted ? 2u : 1u);
        };
    };
    EXPECT_EQ(StatusUnderMemoryLimit(converts(ConvertOutcome::Converted), 700u << 20), 0);
    fs::remove(dir / "dense.MID");
    EXPECT_EQ(StatusUnderMemoryLimit(converts(ConvertOutcome::OutOfMemory), 200u << 20), 0);
    EXPECT_LE(TSmfFile::MemoryNeededFor(file.size()), std::uint64_t{700} << 20);
}
#endif

} // namespace
} // namespace lyricast
