// The option selections the converters read, answered from the option
// panels' controls as they stand when a conversion starts.
#pragma once

#include "commands/DeviceConversions.h"
#include "settings/OptionSelections.h"

namespace kelvara {

class ControlTable;

class ControlOptionSelections : public OptionSelections {
public:
    explicit ControlOptionSelections(const ControlTable& controls)
        : m_controls(controls)
    {
    }

    int PictureTypePosition() const override;
    bool UseOriginalSize() const override;
    int AudioBitratePosition() const override;
    int AudioSampleRatePosition() const override;
    std::string AviFrameRateText() const override;
    int AviVideoCodecPosition() const override;
    int AviAudioCodecPosition() const override;
    std::string MpegAudioBitrateText() const override;
    std::string MpegSampleRateText() const override;
    std::string MpegFrameRateText() const override;
    int MpegTypePosition() const override;

private:
    int Position(int id) const;
    std::string Text(int id) const;

    const ControlTable& m_controls;
};

// The device panel's profile and value lists as they stand.
DeviceChoice DeviceChoiceOf(const ControlTable& controls);

} // namespace kelvara
