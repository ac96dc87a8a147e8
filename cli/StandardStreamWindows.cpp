#include "cli/StandardStreamWindows.h"

#include "platform/Utf8.h"

namespace lyricast {

StandardStreamBuf::StandardStreamBuf(const StandardText& target) : target_(target) {
    setp(buffer_, buffer_ + sizeof buffer_);
}

StandardStreamBuf::~StandardStreamBuf() {
    WriteOut(true);
}

StandardStreamBuf::int_type StandardStreamBuf::overflow(int_type c) {
    if (!WriteOut(false))
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int StandardStreamBuf::sync() {
    return WriteOut(false) ? 0 : -1;
}

// Writes what the buffer holds but, unless `whole`, the first bytes of a
// character that it does not finish.
bool StandardStreamBuf::WriteOut(bool whole) {
    held_.append(pbase(), pptr());
    setp(buffer_, buffer_ + sizeof buffer_);
    const std::size_t kept = whole ? 0 : UnfinishedUtf8Tail(held_);
    const bool written = target_.Write(std::string_view(held_).substr(0, held_.size() - kept));
    held_.erase(0, held_.size() - kept);
    return written;
}

} // namespace lyricast
