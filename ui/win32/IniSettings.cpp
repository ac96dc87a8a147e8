#include "ui/win32/IniSettings.h"

#include "platform/FileError.h"
#include "platform/FileIO.h"
#include "platform/Utf8.h"
#include "ui/win32/IniText.h"
#include "ui/win32/WideText.h"
#include "window/AppInfo.h"
#include "window/SettingsText.h"

#include <windows.h>

#include <shlobj.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace lyricast {
namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

std::string FromCodePage(std::string_view text) {
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return Utf8(wide);
}

// The file as UTF-8 text; none when there is no file to read.
IniText ReadIni(const std::string& file) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(file);
    } catch (const FileError&) {
        return {};
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with(kByteOrderMark))
        return IniText(text.substr(kByteOrderMark.size()));
    return IniText(FromCodePage(text));
}

// As itself when it is UTF-8 with no control character that the encoding's
// rules would keep as it stands, were its other characters ASCII letters.
std::string StoredText(const std::string& value) {
    std::string standIn = value;
    for (char& c : standIn)
        if (static_cast<unsigned char>(c) >= 0x80)
            c = 'x';
    if (ValidUtf8(value) == value && EncodeSettingText(standIn) == standIn)
        return value;
    return EncodeSettingText(value);
}

} // namespace

IniSettings::IniSettings(std::string file) : file_(std::move(file)) {}

std::string IniSettings::UserFile() {
    std::array<wchar_t, MAX_PATH> appData{};
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData.data())))
        return {};
    const std::wstring folder = std::wstring(appData.data()) + L"\\" + Wide(kApplicationTitle);
    CreateDirectoryW(folder.c_str(), nullptr);
    return Utf8(folder + L"\\lyricast-convert.ini");
}

std::optional<std::string> IniSettings::Read(const std::string& key) const {
    const std::optional<std::string> stored = ReadIni(file_).Value(kSection, key);
    if (!stored)
        return std::nullopt;
    return DecodeSettingText(*stored);
}

void IniSettings::Write(const std::string& key, const std::string& value) {
    IniText ini = ReadIni(file_);
    ini.SetValue(kSection, key, StoredText(value));
    const std::string text = std::string(kByteOrderMark) + ini.Text();
    WriteFileReplacing(file_,
                       std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace lyricast
