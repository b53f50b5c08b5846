#include "app/ControlOptionSelections.h"

#include "CSkinButton.h"
#include "CSkinComboBox.h"
#include "app/ControlTable.h"

#include <algorithm>

namespace kelvara {
namespace {

// An empty list reads as its first item, as a list that was never filled
// starts there.
int PositionOf(const ControlTable& controls, int id)
{
    const CSkinComboBox* combo = controls.Combo(id);
    return combo ? std::max(0, combo->currentIndex()) : 0;
}

} // namespace

int ControlOptionSelections::Position(int id) const
{
    return PositionOf(m_controls, id);
}

std::string ControlOptionSelections::Text(int id) const
{
    const CSkinComboBox* combo = m_controls.Combo(id);
    return combo ? combo->currentText().toStdString() : std::string();
}

int ControlOptionSelections::PictureTypePosition() const
{
    return Position(ctl::ImageType);
}

bool ControlOptionSelections::UseOriginalSize() const
{
    return m_controls.Button(ctl::Original)->GetCheck();
}

int ControlOptionSelections::AudioBitratePosition() const
{
    return Position(ctl::AudioBitrate);
}

int ControlOptionSelections::AudioSampleRatePosition() const
{
    return Position(ctl::AudioSample);
}

std::string ControlOptionSelections::AviFrameRateText() const
{
    return Text(ctl::AviFrameRate);
}

int ControlOptionSelections::AviVideoCodecPosition() const
{
    return Position(ctl::AviCodec);
}

int ControlOptionSelections::AviAudioCodecPosition() const
{
    return Position(ctl::AviSoundCodec);
}

std::string ControlOptionSelections::MpegAudioBitrateText() const
{
    return Text(ctl::MpegAudioBitrate);
}

std::string ControlOptionSelections::MpegSampleRateText() const
{
    return Text(ctl::MpegAudioRate);
}

std::string ControlOptionSelections::MpegFrameRateText() const
{
    return Text(ctl::MpegFrameRate);
}

int ControlOptionSelections::MpegTypePosition() const
{
    return Position(ctl::MpegType);
}

DeviceChoice DeviceChoiceOf(const ControlTable& controls)
{
    DeviceChoice choice;
    choice.profilePosition = PositionOf(controls, ctl::Profile);
    DeviceSelections& s = choice.selections;
    s.videoSize = PositionOf(controls, ctl::DeviceVideoSize);
    s.videoBitrate = PositionOf(controls, ctl::DeviceVideoBitrate);
    s.frameRate = PositionOf(controls, ctl::DeviceFrameRate);
    s.audioBitrate = PositionOf(controls, ctl::DeviceAudioBitrate);
    s.channel = PositionOf(controls, ctl::DeviceChannels);
    s.aspect = PositionOf(controls, ctl::DeviceAspect);
    s.audioSample = PositionOf(controls, ctl::DeviceAudioSample);
    return choice;
}

} // namespace kelvara
