#pragma once

#include "window/Settings.h"

#include <optional>
#include <string>

namespace lyricast {

// The window's settings in an INI file, through the system's profile calls.
// A value that the profile calls would not give back as it went (bytes
// outside printable ASCII, edge spaces or quotes) is stored hex-encoded
// behind "hex:", so every path comes back byte for byte.
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

// The text a value is stored as, and the value of such text.
std::string EncodeIniValue(const std::string& value);
std::string DecodeIniValue(const std::string& text);

} // namespace lyricast
