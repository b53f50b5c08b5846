#include "cli/DeviceProfiles.h"

#include "options/DeviceProfilePanel.h"
#include "options/OptionItems.h"
#include "options/ProfileIni.h"
#include "options/UserProfiles.h"

namespace kelvara::cli {
namespace {

ProfileIni OpenProfiles(const std::string& toolDirectory, DeviceKind kind)
{
    std::string file(kDeviceProfileFiles[static_cast<std::size_t>(kind)]);
    if (file.starts_with("./"))
        file.erase(0, 2);
    ProfileIni ini;
    ini.Open(toolDirectory + file);
    return ini;
}

// How many items the panel's list holds for the device.
int ItemCount(DeviceKind kind, DeviceList list)
{
    if (list == DeviceList::Channel)
        return static_cast<int>(option_items::kDeviceChannels.size());
    if (list == DeviceList::Aspect)
        return static_cast<int>(option_items::kDeviceAspects.size());
    return static_cast<int>(DeviceComboItems(kind, list).size());
}

int& SelectionOf(DeviceSelections& selections, DeviceList list)
{
    switch (list) {
    case DeviceList::VideoSize:
        return selections.videoSize;
    case DeviceList::VideoBitrate:
        return selections.videoBitrate;
    case DeviceList::FrameRate:
        return selections.frameRate;
    case DeviceList::AudioBitrate:
        return selections.audioBitrate;
    case DeviceList::Channel:
        return selections.channel;
    case DeviceList::Aspect:
        return selections.aspect;
    case DeviceList::AudioSample:
        break;
    }
    return selections.audioSample;
}

} // namespace

ProfileTitles ReadProfileTitles(const std::string& toolDirectory, DeviceKind kind)
{
    const ProfileIni ini = OpenProfiles(toolDirectory, kind);
    const DeviceProfileList list = ReadDeviceProfileList(ini);
    ProfileTitles titles;
    titles.titles = list.titles;
    titles.shipped = static_cast<int>(list.titles.size());
    // The user's own follow the shipped ones, as in the panel.
    for (const UserProfile& own : ListUserProfiles(kind, UserProfileFolder()))
        titles.titles.push_back(own.title);
    titles.start = kDeviceStartProfiles[static_cast<std::size_t>(kind)];
    if (!ini.Refusal().empty())
        titles.problem = ini.Refusal();
    else if (!list.listed)
        titles.problem = "the profile file " + toolDirectory
            + std::string(kDeviceProfileFiles[static_cast<std::size_t>(kind)]).substr(2)
            + " lists no profiles";
    return titles;
}

std::optional<DeviceChoice> ChooseProfile(
    const std::string& toolDirectory, DeviceKind kind, int position, std::string& problem)
{
    const ProfileIni ini = OpenProfiles(toolDirectory, kind);
    const DeviceProfileList list = ReadDeviceProfileList(ini);
    if (!ini.Refusal().empty()) {
        problem = ini.Refusal();
        return std::nullopt;
    }
    const std::vector<UserProfile> own = ListUserProfiles(kind, UserProfileFolder());
    const int shipped = static_cast<int>(list.titles.size());
    const int count = shipped + static_cast<int>(own.size());
    if (position < 0 || position >= count) {
        problem = "--profile " + std::to_string(position) + " is not listed; the profiles are 0 to "
            + std::to_string(count - 1) + " (kelvara --convert --list)";
        return std::nullopt;
    }
    DeviceChoice choice;
    choice.profilePosition = position;
    // A profile of the user's: its own file's lines and selections, in the
    // place of the shipped profile it was saved from.
    ProfileIni ownIni;
    const bool users = position >= shipped;
    if (users) {
        const UserProfile& profile = own[static_cast<std::size_t>(position - shipped)];
        ownIni.Open(profile.path);
        choice.userLines = ReadProfileAt(ownIni, 0);
        choice.profilePosition = profile.basedOn;
    }
    for (const DeviceListSelection& selection :
        users ? ReadDeviceProfile(ownIni, kind, 0) : ReadDeviceProfile(ini, kind, position))
        // An item beyond the list leaves it without a selection, as in the panel.
        SelectionOf(choice.selections, selection.list)
            = selection.item < ItemCount(kind, selection.list) ? selection.item : -1;
    return choice;
}

} // namespace kelvara::cli
