// The user's settings of the program ("Tarvo"/"Kelvara"): a few text values
// by key. Behind an interface so tests keep them in memory.
#pragma once

#include <QString>
#include <optional>

namespace kelvara::platform {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value of `key`, or nothing when it has never been written.
    virtual std::optional<QString> Read(const QString& key) const = 0;
    virtual void Write(const QString& key, const QString& value) = 0;
};

// The store in the user's config folder, through QSettings.
class QSettingsStore : public SettingsStore {
public:
    std::optional<QString> Read(const QString& key) const override;
    void Write(const QString& key, const QString& value) override;
};

} // namespace kelvara::platform
