#pragma once

#include <optional>
#include <string>

namespace lyricast {

// Where the window keeps what it remembers between runs: an INI file in the
// user's configuration folder, written by the view's toolkit. Values are
// bytes; a view stores them so that any path comes back as it went in.
class SettingsStore {
public:
    virtual std::optional<std::string> Read(const std::string& key) const = 0;
    virtual void Write(const std::string& key, const std::string& value) = 0;

protected:
    ~SettingsStore() = default;
};

} // namespace lyricast
