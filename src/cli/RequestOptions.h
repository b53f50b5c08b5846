// The option selections the converters read, answered from the command
// line's request in place of the window's panels: the positions it chose,
// and the panels' own start values for everything else.
#pragma once

#include "cli/ConvertArguments.h"
#include "options/OptionSelections.h"

namespace kelvara::cli {

class RequestOptions : public OptionSelections {
public:
    explicit RequestOptions(const ConvertRequest& request);

    int PictureTypePosition() const override;
    bool UseOriginalSize() const override { return false; }
    int AudioBitratePosition() const override;
    int AudioSampleRatePosition() const override;
    std::string AviFrameRateText() const override;
    int AviVideoCodecPosition() const override { return m_aviVideoCodec; }
    int AviAudioCodecPosition() const override { return m_aviAudioCodec; }
    std::string MpegAudioBitrateText() const override;
    std::string MpegSampleRateText() const override;
    std::string MpegFrameRateText() const override;
    int MpegTypePosition() const override;

    // The AVI panel's codec positions, which the component's lists decide.
    void SetAviCodecs(int video, int audio)
    {
        m_aviVideoCodec = video;
        m_aviAudioCodec = audio;
    }

private:
    const ConvertRequest& m_request;
    int m_aviVideoCodec = 0;
    int m_aviAudioCodec = 0;
};

} // namespace kelvara::cli
