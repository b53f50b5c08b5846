#include "options/PanelVisibility.h"

#include "options/AudioKindOptions.h"
#include "options/DeviceProfilePanel.h"
#include "options/ProfileKind.h"

#include <algorithm>

namespace kelvara::panel {
namespace {

template <std::size_t... N> constexpr auto Join(const std::array<int, N>&... lists)
{
    std::array<int, (N + ...)> all {};
    std::size_t at = 0;
    ((std::ranges::copy(lists, all.begin() + static_cast<std::ptrdiff_t>(at)), at += lists.size()), ...);
    return all;
}

constexpr auto kAllPanelControls = Join(kPcVideo, kAviAndMpeg, kAvi, kMpeg, kImage, kMobile, kDeviceChannels,
    kDeviceAspect, kDeviceAudioSample, kAudio, kAudioBitrate);

void Append(std::vector<int>& shown, std::span<const int> ids)
{
    shown.insert(shown.end(), ids.begin(), ids.end());
}

void AppendDevice(std::vector<int>& shown, DeviceKind device)
{
    Append(shown, kMobile);
    if (DeviceUsesList(device, DeviceList::Channel))
        Append(shown, kDeviceChannels);
    if (DeviceUsesList(device, DeviceList::Aspect))
        Append(shown, kDeviceAspect);
    if (DeviceUsesList(device, DeviceList::AudioSample))
        Append(shown, kDeviceAudioSample);
}

} // namespace

std::span<const int> PanelControls()
{
    return kAllPanelControls;
}

std::vector<int> ShownControls(const OutputKind& kind)
{
    std::vector<int> shown;
    // The kinds of a profile file show the device panel alone.
    if (const std::optional<DeviceKind> device = ProfileKindOf(kind)) {
        AppendDevice(shown, *device);
        return shown;
    }
    switch (kind.category) {
    case OutputCategory::PcVideo:
        Append(shown, kPcVideo);
        if (kind.Is(PcKind::Avi) || kind.Is(PcKind::Mpeg))
            Append(shown, kAviAndMpeg);
        if (kind.Is(PcKind::Avi))
            Append(shown, kAvi);
        if (kind.Is(PcKind::Mpeg))
            Append(shown, kMpeg);
        if (kind.Is(PcKind::Image))
            Append(shown, kImage);
        break;
    case OutputCategory::MobileVideo:
        break;
    case OutputCategory::Audio:
        Append(shown, kAudio);
        if (AudioKindTakesBitrate(kind.kind))
            Append(shown, kAudioBitrate);
        break;
    }
    return shown;
}

bool IsShown(const OutputKind& kind, int controlId)
{
    const std::vector<int> shown = ShownControls(kind);
    return std::ranges::find(shown, controlId) != shown.end();
}

bool FrameSizeEditable(const OutputKind& kind, int mpegTypeSelection)
{
    return kind.Is(PcKind::Avi) || mpegTypeSelection >= kFirstFreeSizeMpegType;
}

} // namespace kelvara::panel
