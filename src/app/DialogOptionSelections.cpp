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
    return Position(control_id::ImageType);
}

bool DialogOptionSelections::UseOriginalSize() const
{
    return m_useOriginalSize();
}

int DialogOptionSelections::AudioBitratePosition() const
{
    return Position(control_id::AudioBitrate);
}

int DialogOptionSelections::AudioSampleRatePosition() const
{
    return Position(control_id::AudioSample);
}

std::string DialogOptionSelections::AviFrameRateText() const
{
    return Text(control_id::AviFrameRate);
}

int DialogOptionSelections::AviVideoCodecPosition() const
{
    return Position(control_id::AviCodec);
}

int DialogOptionSelections::AviAudioCodecPosition() const
{
    return Position(control_id::AviSoundCodec);
}

std::string DialogOptionSelections::MpegAudioBitrateText() const
{
    return Text(control_id::MpegAudioBitrate);
}

std::string DialogOptionSelections::MpegSampleRateText() const
{
    return Text(control_id::MpegAudioRate);
}

std::string DialogOptionSelections::MpegFrameRateText() const
{
    return Text(control_id::MpegFrameRate);
}

int DialogOptionSelections::MpegTypePosition() const
{
    return Position(control_id::MpegType);
}

} // namespace kelvara
