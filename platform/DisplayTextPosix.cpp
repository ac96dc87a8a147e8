#include "platform/SystemDecoding.h"

#include <cerrno>
#include <iconv.h>

namespace lyricast {
namespace {

// The names glibc's iconv knows the pages by: Windows' own forms of them,
// so that both systems decode alike.
const char* IconvName(CodePage page) {
    switch (page) {
    case CodePage::CentralEuropean1250:
        return "CP1250";
    case CodePage::Cyrillic1251:
        return "CP1251";
    case CodePage::Greek1253:
        return "CP1253";
    case CodePage::Turkish1254:
        return "CP1254";
    case CodePage::Vietnamese1258:
        return "CP1258";
    case CodePage::Thai874:
        return "CP874";
    case CodePage::ShiftJis:
        return "CP932";
    case CodePage::Gbk:
        return "CP936";
    case CodePage::Big5:
        return "CP950";
    case CodePage::Korean:
        return "CP949";
    default:
        return "CP1252";
    }
}

constexpr const char kReplacement[] = "\xEF\xBF\xBD";

class Converter {
public:
    explicit Converter(CodePage page) : cd_(iconv_open("UTF-8", IconvName(page))) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    bool opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; on a byte that starts no character the
    // input is left there.
    bool Convert(std::string_view& in, std::string& out) {
        char buffer[256];
        char* from = const_cast<char*>(in.data());
        std::size_t left = in.size();
        bool stuck = false;
        while (left > 0 && !stuck) {
            char* to = buffer;
            std::size_t room = sizeof buffer;
            const std::size_t done = iconv(cd_, &from, &left, &to, &room);
            out.append(buffer, static_cast<std::size_t>(to - buffer));
            stuck = done == static_cast<std::size_t>(-1) && errno != E2BIG;
        }
        in.remove_prefix(in.size() - left);
        return !stuck;
    }

    // Ends the text: a character the converter holds back (one it might
    // combine with the next) comes out.
    void Flush(std::string& out) {
        char buffer[64];
        char* to = buffer;
        std::size_t room = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &to, &room);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
    }

private:
    iconv_t cd_;
};

} // namespace

std::string DecodeWithSystem(std::string_view bytes, CodePage page) {
    Converter converter(page);
    std::string out;
    if (!converter.opened()) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            out += kReplacement;
        return out;
    }
    while (!converter.Convert(bytes, out)) {
        converter.Flush(out);
        out += kReplacement;
        bytes.remove_prefix(1);
    }
    converter.Flush(out);
    return out;
}

} // namespace lyricast
