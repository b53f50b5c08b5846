// What choosing an MPEG type does to the MPEG panel: the items it selects in
// the frame rate, audio bitrate and audio rate lists, the frame size of the
// disc types, and whether the panel's free choices are locked.
#pragma once

#include <optional>

namespace kelvara {

struct FrameSize {
    int width = 0;
    int height = 0;
};

struct MpegPreset {
    int frameRateItem = 0;
    int audioBitrateItem = 0;
    int audioRateItem = 0;
    // The disc types fix the size; the two standard types leave it alone.
    std::optional<FrameSize> size;
    bool lock = false;
};

// The preset of MPEG type position `mpegType` (0..7); none for no selection
// or a position outside the list.
std::optional<MpegPreset> MpegPresetFor(int mpegType);

} // namespace kelvara
