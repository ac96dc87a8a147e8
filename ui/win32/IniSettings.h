#pragma once

#include "window/Settings.h"

#include <optional>
#include <string>

namespace lyricast {

// The window's settings in an INI file, through the system's profile calls,
// each value spelled by EncodeSettingText so that it comes back byte for byte.
class IniSettings : public SettingsStore {
public:
    explicit IniSettings(std::string file);
    virtual ~IniSettings() = default;

    // %APPDATA%\Lyricast Convert\lyricast-convert.ini, its folder made when
    // missing; empty when the system names no such folder.
    static std::string UserFile();

    const std::string& File() const { return file_; }
    std::optional<std::string> Read(const std::string& key) const override;
    void Write(const std::string& key, const std::string& value) override;

private:
    std::string file_;
};

} // namespace lyricast
