#include "options/OptionItems.h"

#include "options/ControlIds.h"

namespace kelvara {
namespace {

using namespace option_items;

constexpr std::array<OptionList, 9> kLists = { {
    { control_id::AviFrameRate, kAviFrameRates, 5 },
    { control_id::MpegType, kMpegTypes, 6 },
    { control_id::MpegFrameRate, kMpegFrameRates, 2 },
    { control_id::MpegAudioBitrate, kMpegAudioBitrates, 7 },
    { control_id::MpegAudioRate, kMpegAudioRates, 2 },
    { control_id::AudioBitrate, kAudioBitrates, 0 },
    { control_id::AudioSample, kAudioSampleRates, 0 },
    { control_id::DeviceChannels, kDeviceChannels, 0 },
    { control_id::DeviceAspect, kDeviceAspects, 0 },
} };

} // namespace

std::span<const OptionList> FixedOptionLists()
{
    return kLists;
}

} // namespace kelvara
