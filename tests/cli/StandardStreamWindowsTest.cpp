// kar2mid's standard streams on Windows: UTF-8 bytes to a file or a pipe,
// the characters themselves to a console.
#include "cli/StandardStreamWindows.h"
#include "platform/StandardTextWindows.h"
#include "support/TempDir.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace lyricast {
namespace {

const std::string kNames = "\xd0\x9b\xd0\xb5\xd1\x82\xd0\xbe Se\xc3\xb1orita "
                           "\xe0\xb9\x80\xe0\xb8\x9e\xe0\xb8\xa5\xe0\xb8\x87 "
                           "\xf0\x9f\x8e\xa4"; // Лето Señorita เพลง 🎤
const std::wstring kWideNames = L"\u041b\u0435\u0442\u043e Se\u00f1orita "
                                L"\u0e40\u0e1e\u0e25\u0e07 \U0001F3A4";

// Writes through the stream buffer as kar2mid does, and flushes at the end.
void WriteThrough(const StandardText& target, const std::string& text) {
    StandardStreamBuf buffer(target);
    std::ostream out(&buffer);
    out << text << std::flush;
}

TEST(StandardText, AFileGetsTheUtf8BytesWithWindowsLineEnds) {
    test::TempDir dir;
    const std::wstring path = test::FsPath(dir / "out.txt").wstring();
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string filler(5000, 'x'); // past the buffer, so the stream writes twice
    {
        const StandardText target(file);
        EXPECT_FALSE(target.IsConsole());
        WriteThrough(target, "converted: " + kNames + "\n" + filler + kNames + "\n");
    }
    ::CloseHandle(file);
    const std::vector<std::uint8_t> bytes = test::ReadBytes(dir / "out.txt");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "converted: " + kNames + "\r\n" + filler + kNames + "\r\n");
}

// A reader that has gone fails the writes, and so the stream: kar2mid then
// says it could not write its output.
TEST(StandardText, APipeWithoutItsReaderFailsTheStream) {
    HANDLE reader = nullptr;
    HANDLE writer = nullptr;
    ASSERT_TRUE(::CreatePipe(&reader, &writer, nullptr, 0));
    ::CloseHandle(reader);
    const StandardText target(writer);
    StandardStreamBuf buffer(target);
    std::ostream out(&buffer);
    out << kNames << '\n' << std::flush;
    EXPECT_TRUE(out.bad());
    ::CloseHandle(writer);
}

// A console is given the characters, whatever its code page, and a
// character that the stream's buffer cuts in two still arrives whole. Wine
// makes a console only where it has a display: scripts/test-windows runs
// these tests on a virtual one.
TEST(ConsoleText, CharactersArriveAsThemselvesWhereverTheBufferEnds) {
    ::FreeConsole();
    const HANDLE console =
        ::AllocConsole()
            ? ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)
            : INVALID_HANDLE_VALUE;
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !::GetConsoleMode(console, &mode))
        GTEST_SKIP() << "no console can be made here (Wine makes one only on a display)";
    constexpr SHORT kWidth = 80;
    ASSERT_TRUE(::SetConsoleScreenBufferSize(console, COORD{kWidth, 120}));
    const StandardText target(console);
    EXPECT_TRUE(target.IsConsole());
    const std::size_t cut = 4095; // the buffer holds 4096 bytes: "Л" is cut in two
    WriteThrough(target, std::string(cut, 'x') + kNames);

    std::wstring shown(kWideNames.size(), L'\0');
    DWORD read = 0;
    const COORD at{static_cast<SHORT>(cut % kWidth), static_cast<SHORT>(cut / kWidth)};
    ASSERT_TRUE(::ReadConsoleOutputCharacterW(console, shown.data(),
                                              static_cast<DWORD>(shown.size()), at, &read));
    EXPECT_EQ(shown, kWideNames);
    ::CloseHandle(console);
    ::FreeConsole();
}

} // namespace
} // namespace lyricast
