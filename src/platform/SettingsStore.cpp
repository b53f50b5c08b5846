#include "platform/SettingsStore.h"

#include <QSettings>

namespace kelvara::platform {
namespace {

// Named explicitly rather than through the application object, so the store
// reads the same place whoever creates it.
QSettings Open()
{
    return QSettings(QStringLiteral("Tarvo"), QStringLiteral("Kelvara"));
}

} // namespace

std::optional<QString> QSettingsStore::Read(const QString& key) const
{
    const QSettings settings = Open();
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

void QSettingsStore::Write(const QString& key, const QString& value)
{
    QSettings settings = Open();
    settings.setValue(key, value);
    settings.sync();
}

} // namespace kelvara::platform
