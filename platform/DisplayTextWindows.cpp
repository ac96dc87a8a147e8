#include <windows.h>

#include "platform/SystemDecoding.h"
#include "platform/WideTextWindows.h"

namespace lyricast {
namespace {

UINT WindowsCodePage(CodePage page) {
    switch (page) {
    case CodePage::CentralEuropean1250:
        return 1250;
    case CodePage::Cyrillic1251:
        return 1251;
    case CodePage::Greek1253:
        return 1253;
    case CodePage::Turkish1254:
        return 1254;
    case CodePage::Vietnamese1258:
        return 1258;
    case CodePage::Thai874:
        return 874;
    case CodePage::ShiftJis:
        return 932;
    case CodePage::Gbk:
        return 936;
    case CodePage::Big5:
        return 950;
    case CodePage::Korean:
        return 949;
    default:
        return 1252;
    }
}

// The bytes as UTF-16; false when one of them starts no character.
bool Decode(UINT codePage, std::string_view bytes, std::wstring& out) {
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(length));
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data() + at,
                        length);
    return true;
}

// A character at a time, each one or (after a lead byte) two bytes long; a
// byte that starts none shows as U+FFFD.
std::wstring DecodeEach(UINT codePage, std::string_view bytes) {
    std::wstring out;
    while (!bytes.empty()) {
        const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[0])) != 0;
        const std::size_t length = lead && bytes.size() > 1 ? 2 : 1;
        if (Decode(codePage, bytes.substr(0, length), out)) {
            bytes.remove_prefix(length);
        } else {
            out.push_back(L'\xFFFD');
            bytes.remove_prefix(1);
        }
    }
    return out;
}

} // namespace

std::string DecodeWithSystem(std::string_view bytes, CodePage page) {
    const UINT codePage = WindowsCodePage(page);
    std::wstring wide;
    if (bytes.empty())
        return {};
    if (!Decode(codePage, bytes, wide))
        wide = DecodeEach(codePage, bytes);
    return Utf8FromWide(wide);
}

} // namespace lyricast
