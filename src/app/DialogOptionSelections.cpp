#include "app/DialogOptionSelections.h"

#include "app/ControlTable.h"
#include "skin/CSkinComboBox.h"

namespace kelvara {

DialogOptionSelections::DialogOptionSelections(
    const ControlTable& controls, std::function<bool()> useOriginalSize)
    : m_controls(controls)
    , m_useOriginalSize(std::move(useOriginalSize))
{
}

int DialogOptionSelections::Position(int controlId) const
{
    return m_controls.Combo(controlId)->currentIndex();
}

// Latin-1, as the option texts are; no selection reads as empty text.
std::string DialogOptionSelections::Text(int controlId) const
{
    return m_controls.Combo(controlId)->currentText().toLatin1().toStdString();
}

int DialogOptionSelections::PictureTypePosition() const
{
    return Position(ctl::ImageType);
}

bool DialogOptionSelections::UseOriginalSize() const
{
    return m_useOriginalSize();
}

int DialogOptionSelections::AudioBitratePosition() const
{
    return Position(ctl::AudioBitrate);
}

int DialogOptionSelections::AudioSampleRatePosition() const
{
    return Position(ctl::AudioSample);
}

std::string DialogOptionSelections::AviFrameRateText() const
{
    return Text(ctl::AviFrameRate);
}

int DialogOptionSelections::AviVideoCodecPosition() const
{
    return Position(ctl::AviCodec);
}

int DialogOptionSelections::AviAudioCodecPosition() const
{
    return Position(ctl::AviSoundCodec);
}

std::string DialogOptionSelections::MpegAudioBitrateText() const
{
    return Text(ctl::MpegAudioBitrate);
}

std::string DialogOptionSelections::MpegSampleRateText() const
{
    return Text(ctl::MpegAudioRate);
}

std::string DialogOptionSelections::MpegFrameRateText() const
{
    return Text(ctl::MpegFrameRate);
}

int DialogOptionSelections::MpegTypePosition() const
{
    return Position(ctl::MpegType);
}

} // namespace kelvara
