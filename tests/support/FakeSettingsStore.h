// A settings store that keeps its values in memory.
#pragma once

#include "platform/SettingsStore.h"

#include <map>

namespace kelvara {

class FakeSettingsStore : public platform::SettingsStore {
public:
    std::optional<QString> Read(const QString& key) const override
    {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional<QString>(found->second);
    }
    void Write(const QString& key, const QString& value) override { values[key] = value; }

    std::map<QString, QString> values;
};

} // namespace kelvara
