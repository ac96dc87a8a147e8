#pragma once

#include "platform/StandardTextWindows.h"

#include <streambuf>
#include <string>

namespace lyricast {

// kar2mid's standard output or error on Windows as a stream buffer: what the
// run writes goes out as StandardText writes it, a console's characters
// never split between two writes. A write that fails fails the stream.
class StandardStreamBuf : public std::streambuf {
public:
    explicit StandardStreamBuf(const StandardText& target);
    StandardStreamBuf(const StandardStreamBuf&) = delete;
    StandardStreamBuf& operator=(const StandardStreamBuf&) = delete;
    ~StandardStreamBuf() override;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool WriteOut(bool whole);

    const StandardText& target_;
    char buffer_[4096];
    std::string held_; // the start of a character cut off at the buffer's end
};

} // namespace lyricast
