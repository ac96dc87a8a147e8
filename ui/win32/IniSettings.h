#pragma once

#include "window/Settings.h"

#include <optional>
#include <string>

namespace lyricast {

// The window's settings in an INI file of one section, written in UTF-8
// behind a byte order mark, so that a name in any writing reads the same
// under every code page; a file without the mark, as versions before this
// one wrote it, is read in the code page. A value is kept as itself where it
// is text that comes back so, and spelled by EncodeSettingText otherwise, so
// that every value comes back byte for byte. Each change is written through
// a file that replaces the old one whole.
class IniSettings : public SettingsStore {
public:
    explicit IniSettings(std::string file);
    virtual ~IniSettings() = default;

    // %APPDATA%\Lyricast Convert\lyricast-convert.ini, its folder made when
    // missing; empty when the system names no such folder.
    static std::string UserFile();

    const std::string& File() const { return file_; }
    std::optional<std::string> Read(const std::string& key) const override;
    // Raises FileError when the file cannot be written.
    void Write(const std::string& key, const std::string& value) override;

private:
    std::string file_;
};

} // namespace lyricast
