#include "options/DeviceProfilePanel.h"

#include "options/OptionNumbers.h"
#include "options/ProfileIni.h"
#include "options/ProfileKind.h"

#include <algorithm>

namespace kelvara {
namespace {

struct ProfileKey {
    std::string_view key;
    DeviceList list;
};

constexpr std::array<ProfileKey, 5> kPspKeys = { { { "VideoSize", DeviceList::VideoSize },
    { "VideoBitrate", DeviceList::VideoBitrate }, { "FrameRate", DeviceList::FrameRate },
    { "AudioBitrate", DeviceList::AudioBitrate }, { "Channel", DeviceList::Channel } } };
constexpr std::array<ProfileKey, 6> kXboxKeys
    = { { { "VideoSize", DeviceList::VideoSize }, { "VideoBitrate", DeviceList::VideoBitrate },
        { "FrameRate", DeviceList::FrameRate }, { "Aspect", DeviceList::Aspect },
        { "AudioBitrate", DeviceList::AudioBitrate }, { "Channel", DeviceList::Channel } } };
constexpr std::array<ProfileKey, 5> kPmpKeys = { { { "VideoSize", DeviceList::VideoSize },
    { "VideoBitrate", DeviceList::VideoBitrate }, { "FrameRate", DeviceList::FrameRate },
    { "AudioBitrate", DeviceList::AudioBitrate }, { "AudioSample", DeviceList::AudioSample } } };

// The video kinds of today: their quality list is the panel's second list.
constexpr std::array<ProfileKey, 6> kTodaysKeys
    = { { { "VideoSize", DeviceList::VideoSize }, { "Quality", DeviceList::VideoBitrate },
        { "FrameRate", DeviceList::FrameRate }, { "AudioBitrate", DeviceList::AudioBitrate },
        { "Channel", DeviceList::Channel }, { "AudioSample", DeviceList::AudioSample } } };

std::span<const ProfileKey> KeysOf(DeviceKind kind)
{
    if (IsTodaysVideoKind(kind))
        return kTodaysKeys;
    switch (kind) {
    case DeviceKind::Psp:
    case DeviceKind::PocketPc:
        return kPspKeys;
    case DeviceKind::Xbox360:
        return kXboxKeys;
    case DeviceKind::Pmp:
        return kPmpKeys;
    default:
        return {};
    }
}

} // namespace

std::string_view DeviceListKey(DeviceKind kind, DeviceList list)
{
    for (const ProfileKey& key : KeysOf(kind))
        if (key.list == list)
            return key.key;
    return {};
}

namespace {

std::string_view FormatOf(DeviceList list)
{
    switch (list) {
    case DeviceList::VideoBitrate:
        return " Kbps";
    case DeviceList::FrameRate:
        return "  fps";
    case DeviceList::AudioBitrate:
        return "  Kbps";
    case DeviceList::AudioSample:
        return "  HZ";
    default:
        return "";
    }
}

} // namespace

DeviceProfileList ReadDeviceProfileList(const ProfileIni& ini)
{
    DeviceProfileList list;
    if (!ini.HasKeys("Info"))
        return list;
    list.listed = true;
    list.defaultProfile = LeadingInt(ini.GetString("Info", "DefaultProfile"));
    std::vector<std::string> sections;
    const int count = ini.GetSectionNames(sections);
    // The first section is taken to be "Info", whatever it is called.
    for (int position = 1; position < count; ++position)
        list.titles.push_back(ini.GetString(sections[static_cast<std::size_t>(position)], "Title"));
    return list;
}

std::vector<std::string> DeviceComboItems(DeviceKind kind, DeviceList list)
{
    std::vector<std::string> items;
    if (list == DeviceList::Channel || list == DeviceList::Aspect)
        return items;
    for (const DeviceValueList& values : DeviceValueLists(kind)) {
        if (values.list != list)
            continue;
        if (!values.shown.empty())
            return { values.shown.begin(), values.shown.end() };
        for (const std::string_view value : values.values)
            items.push_back(std::string(value) + std::string(FormatOf(list)));
        // Several placeholders may share the list: the first one tells.
        break;
    }
    return items;
}

std::vector<DeviceListSelection> ReadDeviceProfile(const ProfileIni& ini, DeviceKind kind, int index)
{
    const std::string section = "profile" + std::to_string(index);
    std::vector<DeviceListSelection> selections;
    for (const ProfileKey& key : KeysOf(kind)) {
        if (DeviceUsesList(kind, key.list))
            selections.push_back({ key.list, LeadingInt(ini.GetString(section, key.key)) });
    }
    // These two devices have an aspect list but no key for it.
    if (kind == DeviceKind::PocketPc || kind == DeviceKind::Pmp)
        selections.push_back({ DeviceList::Aspect, 0 });
    return selections;
}

bool DeviceUsesList(DeviceKind kind, DeviceList list)
{
    if (IsTodaysVideoKind(kind)) {
        const auto lists = DeviceValueLists(kind);
        return std::any_of(lists.begin(), lists.end(),
            [list](const DeviceValueList& values) { return values.list == list; });
    }
    switch (list) {
    case DeviceList::Channel:
        return kind != DeviceKind::Pmp;
    case DeviceList::Aspect:
        return kind != DeviceKind::Psp;
    case DeviceList::AudioSample:
        return kind == DeviceKind::Pmp;
    default:
        return true;
    }
}

} // namespace kelvara
