#include "cli/RequestOptions.h"

#include "cli/ConvertArguments.h"
#include "options/ControlIds.h"
#include "options/MpegPresets.h"
#include "options/OptionItems.h"

namespace kelvara::cli {
namespace {

// The item a fixed list starts with in the window.
std::string DefaultItemText(int controlId)
{
    for (const OptionList& list : FixedOptionLists())
        if (list.controlId == controlId && list.defaultItem >= 0
            && static_cast<std::size_t>(list.defaultItem) < list.items.size())
            return std::string(list.items[static_cast<std::size_t>(list.defaultItem)]);
    return {};
}

std::string ItemText(std::span<const std::string_view> items, int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= items.size())
        return {};
    return std::string(items[static_cast<std::size_t>(position)]);
}

} // namespace

RequestOptions::RequestOptions(const ConvertRequest& request)
    : m_request(request)
{
}

int RequestOptions::PictureTypePosition() const
{
    return m_request.picturePosition;
}

int RequestOptions::AudioBitratePosition() const
{
    return m_request.audioBitratePosition;
}

int RequestOptions::AudioSampleRatePosition() const
{
    return m_request.sampleRatePosition;
}

std::string RequestOptions::AviFrameRateText() const
{
    return DefaultItemText(control_id::AviFrameRate);
}

// Choosing an MPEG type selects its preset's items in the panel's lists; the
// two standard types keep what the lists start with.
std::string RequestOptions::MpegAudioBitrateText() const
{
    const std::optional<MpegPreset> preset = MpegPresetFor(m_request.mpegType);
    return preset ? ItemText(option_items::kMpegAudioBitrates, preset->audioBitrateItem)
                  : DefaultItemText(control_id::MpegAudioBitrate);
}

std::string RequestOptions::MpegSampleRateText() const
{
    const std::optional<MpegPreset> preset = MpegPresetFor(m_request.mpegType);
    return preset ? ItemText(option_items::kMpegAudioRates, preset->audioRateItem)
                  : DefaultItemText(control_id::MpegAudioRate);
}

std::string RequestOptions::MpegFrameRateText() const
{
    const std::optional<MpegPreset> preset = MpegPresetFor(m_request.mpegType);
    return preset ? ItemText(option_items::kMpegFrameRates, preset->frameRateItem)
                  : DefaultItemText(control_id::MpegFrameRate);
}

int RequestOptions::MpegTypePosition() const
{
    return m_request.mpegType;
}

} // namespace kelvara::cli
