#include "platform/StandardTextWindows.h"

#include "platform/WideTextWindows.h"

#include <windows.h>
#include <algorithm>
#include <string>

namespace lyricast {
namespace {

bool IsConsoleHandle(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

HANDLE HandleOf(StandardText::Stream stream) {
    return GetStdHandle(stream == StandardText::Stream::Output ? STD_OUTPUT_HANDLE
                                                               : STD_ERROR_HANDLE);
}

std::string WithWindowsLineEnds(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    return lines;
}

} // namespace

StandardText::StandardText(Stream stream) : StandardText(HandleOf(stream)) {}

StandardText::StandardText(void* handle) : handle_(handle), console_(IsConsoleHandle(handle)) {}

bool StandardText::Write(std::string_view text) const {
    return console_ ? WriteToConsole(text) : WriteToFile(text);
}

bool StandardText::WriteToConsole(std::string_view text) const {
    const std::wstring wide = WideForDisplay(text);
    std::size_t done = 0;
    while (done < wide.size()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 1 << 14));
        DWORD written = 0;
        if (!WriteConsoleW(handle_, wide.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool StandardText::WriteToFile(std::string_view text) const {
    const std::string lines = WithWindowsLineEnds(text);
    std::string_view rest = lines;
    while (!rest.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(handle_, rest.data(), chunk, &written, nullptr) || written == 0)
            return false;
        rest.remove_prefix(written);
    }
    return true;
}

} // namespace lyricast
