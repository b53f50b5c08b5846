#include "options/OptionItems.h"

#include "options/ControlIds.h"

namespace kelvara {
namespace {

using namespace option_items;

constexpr std::array<OptionList, 9> kLists = { {
    { ctl::AviFrameRate, kAviFrameRates, 5 },
    { ctl::MpegType, kMpegTypes, 6 },
    { ctl::MpegFrameRate, kMpegFrameRates, 2 },
    { ctl::MpegAudioBitrate, kMpegAudioBitrates, 7 },
    { ctl::MpegAudioRate, kMpegAudioRates, 2 },
    { ctl::AudioBitrate, kAudioBitrates, 0 },
    { ctl::AudioSample, kAudioSampleRates, 0 },
    { ctl::DeviceChannels, kDeviceChannels, 0 },
    { ctl::DeviceAspect, kDeviceAspects, 0 },
} };

} // namespace

std::span<const OptionList> FixedOptionLists()
{
    return kLists;
}

} // namespace kelvara
