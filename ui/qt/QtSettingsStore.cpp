#include "ui/qt/QtSettingsStore.h"

#include <QByteArray>

namespace lyricast {
namespace {

QString Key(const std::string& key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Lyricast"),
                                            QStringLiteral("Lyricast Convert"))) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

std::optional<std::string> QtSettingsStore::Read(const std::string& key) const {
    const QVariant value = settings_->value(Key(key));
    if (!value.isValid())
        return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtSettingsStore::Write(const std::string& key, const std::string& value) {
    settings_->setValue(Key(key), QByteArray(value.data(), static_cast<qsizetype>(value.size())));
}

} // namespace lyricast
