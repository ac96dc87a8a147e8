#include "ui/win32/IniSettings.h"

#include "window/AppInfo.h"

#include <windows.h>

#include <shlobj.h>

#include <array>
#include <vector>

namespace lyricast {
namespace {

constexpr char kSection[] = "Settings";
constexpr char kHexMark[] = "hex:";
// What a missing key reads as: a newline never comes back from a stored value.
constexpr char kMissing[] = "\n";

bool Printable(char c) {
    return c >= 0x20 && c <= 0x7e;
}

bool StoredAsItIs(const std::string& value) {
    if (value.rfind(kHexMark, 0) == 0)
        return false;
    for (const char c : value)
        if (!Printable(c))
            return false;
    if (value.empty())
        return true;
    const auto edge = [](char c) { return c == ' ' || c == '"' || c == '\''; };
    return !edge(value.front()) && !edge(value.back());
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string EncodeIniValue(const std::string& value) {
    if (StoredAsItIs(value))
        return value;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = kHexMark;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0f];
    }
    return text;
}

// Text that is not whole hex after the mark is taken as it stands.
std::string DecodeIniValue(const std::string& text) {
    if (text.rfind(kHexMark, 0) != 0 || text.size() % 2 != 0)
        return text;
    std::string value;
    for (std::size_t i = sizeof kHexMark - 1; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return text;
        value += static_cast<char>(high * 16 + low);
    }
    return value;
}

IniSettings::IniSettings(std::string file) : file_(std::move(file)) {}

std::string IniSettings::UserFile() {
    std::array<char, MAX_PATH> appData{};
    if (FAILED(
            SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData.data())))
        return {};
    const std::string folder = std::string(appData.data()) + "\\" + kApplicationTitle;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\lyricast-convert.ini";
}

std::optional<std::string> IniSettings::Read(const std::string& key) const {
    std::vector<char> text(1024);
    for (;;) {
        const DWORD length =
            GetPrivateProfileStringA(kSection, key.c_str(), kMissing, text.data(),
                                     static_cast<DWORD>(text.size()), file_.c_str());
        if (length + 1 < text.size()) {
            const std::string stored(text.data(), length);
            if (stored == kMissing)
                return std::nullopt;
            return DecodeIniValue(stored);
        }
        text.resize(text.size() * 2);
    }
}

void IniSettings::Write(const std::string& key, const std::string& value) {
    WritePrivateProfileStringA(kSection, key.c_str(), EncodeIniValue(value).c_str(), file_.c_str());
}

} // namespace lyricast
