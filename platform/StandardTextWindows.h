#pragma once

#include <string_view>

namespace lyricast {

// Standard output or error on Windows, written as UTF-8 text. A console is
// given the characters the text spells (WriteConsoleW), whatever its code
// page; a file or a pipe gets the UTF-8 bytes themselves, each line ended by
// a carriage return and a line feed as Windows' text files are.
class StandardText {
public:
    enum class Stream { Output, Error };

    explicit StandardText(Stream stream);
    // Over a handle of the caller's (a HANDLE), which stays the caller's.
    explicit StandardText(void* handle);

    bool IsConsole() const { return console_; }

    // False when the system refuses the write (a pipe whose reader has gone).
    // A console shows each byte that starts no whole character as U+FFFD, so
    // a character is best never split between two writes.
    bool Write(std::string_view text) const;

private:
    bool WriteToConsole(std::string_view text) const;
    bool WriteToFile(std::string_view text) const;

    void* handle_;
    bool console_;
};

} // namespace lyricast
