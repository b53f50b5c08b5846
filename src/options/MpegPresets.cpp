#include "options/MpegPresets.h"

#include <array>

namespace kelvara {
namespace {

// Items of the frame rate, audio bitrate and audio rate lists.
constexpr int k25Hz = 2;
constexpr int k29Hz = 3;
constexpr int k128Kbit = 7;
constexpr int k224Kbit = 10;
constexpr int k44100 = 2;
constexpr int k48000 = 3;

const std::array<MpegPreset, 8> kPresets = { {
    { k25Hz, k224Kbit, k44100, FrameSize { 352, 288 }, true }, // VCD PAL
    { k29Hz, k224Kbit, k44100, FrameSize { 352, 240 }, true }, // VCD NTSC
    { k25Hz, k224Kbit, k44100, FrameSize { 480, 576 }, true }, // SVCD PAL
    { k29Hz, k224Kbit, k44100, FrameSize { 480, 480 }, true }, // SVCD NTSC
    { k25Hz, k224Kbit, k48000, FrameSize { 720, 576 }, true }, // DVD PAL
    { k29Hz, k224Kbit, k48000, FrameSize { 720, 480 }, true }, // DVD NTSC
    { k25Hz, k128Kbit, k44100, std::nullopt, false }, // MPEG1 Standard
    { k25Hz, k128Kbit, k44100, std::nullopt, false }, // MPEG2 Standard
} };

} // namespace

std::optional<MpegPreset> MpegPresetFor(int mpegType)
{
    if (mpegType < 0 || mpegType >= static_cast<int>(kPresets.size()))
        return std::nullopt;
    return kPresets[static_cast<std::size_t>(mpegType)];
}

} // namespace kelvara
