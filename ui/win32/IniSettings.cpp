#include "ui/win32/IniSettings.h"

#include "window/AppInfo.h"
#include "window/SettingsText.h"

#include <windows.h>

#include <shlobj.h>

#include <array>
#include <vector>

namespace lyricast {
namespace {

constexpr char kSection[] = "Settings";
// What a missing key reads as: a newline never comes back from a stored value.
constexpr char kMissing[] = "\n";

} // namespace

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
            return DecodeSettingText(stored);
        }
        text.resize(text.size() * 2);
    }
}

void IniSettings::Write(const std::string& key, const std::string& value) {
    WritePrivateProfileStringA(kSection, key.c_str(), EncodeSettingText(value).c_str(),
                               file_.c_str());
}

} // namespace lyricast
