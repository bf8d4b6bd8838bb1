#include "app/AppSettings.h"

#include "model/DataRoot.h"

#include <QSettings>

namespace vt::AppSettings {
namespace {

QString qKey(std::string_view key) { return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())); }

QSettings store()
{
    return QSettings(QString::fromStdString(DataRoot::settingsFile().string()), QSettings::IniFormat);
}

}  // namespace

std::optional<std::string> string(std::string_view key)
{
    const QVariant value = store().value(qKey(key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

bool boolean(std::string_view key) { return store().value(qKey(key)).toBool(); }

void set(std::string_view key, const QVariant& value)
{
    QSettings settings = store();
    settings.setValue(qKey(key), value);
    settings.sync();
}

}  // namespace vt::AppSettings
