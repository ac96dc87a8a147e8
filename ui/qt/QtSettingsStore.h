#pragma once

#include "window/Settings.h"

#include <QSettings>
#include <QString>
#include <memory>

namespace lyricast {

// The window's remembered values in the user's INI file
// (~/.config/Lyricast/Lyricast Convert.ini). Each value is kept as a byte
// array, so a path in any encoding, or in none, comes back byte for byte.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    // The same store read from, or written to, one INI file.
    explicit QtSettingsStore(const QString& iniFile);
    virtual ~QtSettingsStore() = default;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    std::optional<std::string> Read(const std::string& key) const override;
    void Write(const std::string& key, const std::string& value) override;

    // The toolkit's own settings of the view (geometry, splitter, columns).
    QSettings& Toolkit() { return *settings_; }

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace lyricast
