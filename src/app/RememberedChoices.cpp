#include "app/RememberedChoices.h"

#include "options/OutputKind.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace kelvara {
namespace {

const QString kCategoryKey = QStringLiteral("Choices/Category");
const QString kTabKey = QStringLiteral("Choices/Tab");
constexpr int kLastCategory = static_cast<int>(OutputCategory::Audio);

std::optional<int> ReadNumber(const platform::SettingsStore& settings, const QString& key, int highest)
{
    const std::optional<QString> text = settings.Read(key);
    if (!text)
        return std::nullopt;
    bool isNumber = false;
    const int number = text->toInt(&isNumber);
    if (!isNumber || number < 0 || number > highest)
        return std::nullopt;
    return number;
}

} // namespace

bool IsDeviceList(int controlId)
{
    constexpr int kDeviceLists[] = { control_id::Profile, control_id::DeviceVideoSize,
        control_id::DeviceVideoBitrate, control_id::DeviceFrameRate, control_id::DeviceAudioBitrate,
        control_id::DeviceChannels, control_id::DeviceAudioSample, control_id::DeviceAspect };
    return std::ranges::find(kDeviceLists, controlId) != std::end(kDeviceLists);
}

RememberedChoices ReadRememberedChoices(const platform::SettingsStore& settings)
{
    RememberedChoices choices;
    choices.category = ReadNumber(settings, kCategoryKey, kLastCategory);
    // The strip itself knows how many tabs it has; only nonsense goes here.
    choices.tab = ReadNumber(settings, kTabKey, std::numeric_limits<int>::max());
    for (const RememberedList& list : kRememberedLists) {
        const std::optional<QString> item = settings.Read(QString::fromLatin1(list.key));
        if (item && !item->isEmpty())
            choices.lists.push_back({ list.controlId, *item });
    }
    return choices;
}

void StoreRememberedChoices(platform::SettingsStore& settings, const RememberedChoices& choices)
{
    if (choices.category)
        settings.Write(kCategoryKey, QString::number(*choices.category));
    if (choices.tab)
        settings.Write(kTabKey, QString::number(*choices.tab));
    for (const ListChoice& choice : choices.lists) {
        const auto list = std::ranges::find(kRememberedLists, choice.controlId, &RememberedList::controlId);
        if (list != kRememberedLists.end() && !choice.item.isEmpty())
            settings.Write(QString::fromLatin1(list->key), choice.item);
    }
}

} // namespace kelvara
