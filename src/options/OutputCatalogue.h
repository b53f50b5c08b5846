// The texts of the output kinds: tab labels, the picture types of the
// Image kind, and the descriptions the settings panel shows.
#pragma once

#include "options/OutputKind.h"

#include <array>
#include <span>
#include <string_view>

namespace kelvara {

struct PictureType {
    std::string_view comboText;
    std::string_view description;
};

// Tab labels of one category's strip, in tab order.
std::span<const std::string_view> TabLabels(OutputCategory category);
// The label of a kind's tab, or empty text for a kind outside its category.
std::string_view TabLabel(const OutputKind& kind);
// The items of the picture type list, in order; item 0 is the GIF animation.
std::span<const PictureType> PictureTypes();
// The description of an audio kind; empty text for a kind outside the strip.
std::string_view AudioDescription(int audioKind);
// The audio description shown before any audio kind has been chosen.
inline constexpr std::string_view kAudioStartDescription
    = "    Extract audio from your video files to MP3s so "
      "you can listen them \nwith your MP3 player and iPod "
      "player.";
// The profile shown first when a mobile strip's tab is chosen; -1 for a
// kind outside the strip.
int DeviceStartProfile(int mobileKind);
// The number of kinds of a category.
int KindCount(OutputCategory category);

} // namespace kelvara
