// The device panel's reading of a device's profile file: the profile titles
// for the profile list, the items of the value lists, and the selections a
// profile makes. The dialog only puts the answers into its combos.
#pragma once

#include "options/DeviceValues.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

class ProfileIni;

// The profile each device starts with when its tab is chosen, by device
// kind: PSP, Xbox360, Pocket PC, PMP, then MP4, MKV, WebM, AV1, phone and
// tablet, TV and streaming stick, web.
inline constexpr std::array<int, kDeviceKindCount> kDeviceStartProfiles = { 7, 2, 2, 1, 1, 1, 1, 1, 2, 1, 1 };

struct DeviceProfileList {
    // False for a missing file or one without an "Info" section: the profile
    // list then keeps what it showed before.
    bool listed = false;
    int defaultProfile = 0;
    // Item k is the title of the section after the first k + 1 sections.
    std::vector<std::string> titles;
};

DeviceProfileList ReadDeviceProfileList(const ProfileIni& ini);

// The items of a device's value list, formatted as the list shows them; empty
// for the channel and aspect lists (their items are fixed) and for a list the
// device does not have.
std::vector<std::string> DeviceComboItems(DeviceKind kind, DeviceList list);

// One selection a profile makes in a value list.
struct DeviceListSelection {
    DeviceList list;
    int item;
};

// The selections of profile `index` ("profile<index>"), in the order they are
// made. A missing key, section or file, or a value that is not a number,
// selects item 0.
std::vector<DeviceListSelection> ReadDeviceProfile(const ProfileIni& ini, DeviceKind kind, int index);

// The key under which a profile of the kind stores the list's selection;
// empty when the kind has no such list.
std::string_view DeviceListKey(DeviceKind kind, DeviceList list);

// Whether the device uses the list; the panel hides the lists it does not.
bool DeviceUsesList(DeviceKind kind, DeviceList list);

} // namespace kelvara
