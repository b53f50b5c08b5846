// The option selections the converters read, answered from the dialog's own
// controls at the moment they are asked.
#pragma once

#include "options/OptionSelections.h"

#include <functional>

namespace kelvara {

class ControlTable;

class DialogOptionSelections : public OptionSelections {
public:
    // `useOriginalSize` reads the dialog's size mode, which no control holds.
    DialogOptionSelections(const ControlTable& controls, std::function<bool()> useOriginalSize);

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
    int Position(int controlId) const;
    std::string Text(int controlId) const;

    const ControlTable& m_controls;
    std::function<bool()> m_useOriginalSize;
};

} // namespace kelvara
