// Option selections with fixed, settable values, in place of the panels.
#pragma once

#include "options/OptionSelections.h"

namespace kelvara::testing {

class FixedOptions : public OptionSelections {
public:
    int PictureTypePosition() const override { return picture; }
    bool UseOriginalSize() const override { return original; }
    int AudioBitratePosition() const override { return bitrate; }
    int AudioSampleRatePosition() const override { return sampleRate; }
    std::string AviFrameRateText() const override { return aviFrameRate; }
    int AviVideoCodecPosition() const override { return aviVideoCodec; }
    int AviAudioCodecPosition() const override { return aviAudioCodec; }
    std::string MpegAudioBitrateText() const override { return mpegAudioBitrate; }
    std::string MpegSampleRateText() const override { return mpegSampleRate; }
    std::string MpegFrameRateText() const override { return mpegFrameRate; }
    int MpegTypePosition() const override { return mpegType; }

    int picture = 4;
    bool original = false;
    int bitrate = 0;
    int sampleRate = 0;
    std::string aviFrameRate = "25      HZ";
    int aviVideoCodec = 0;
    int aviAudioCodec = 0;
    std::string mpegAudioBitrate = "128 Kbit/s";
    std::string mpegSampleRate = "44100   ";
    std::string mpegFrameRate = "25         HZ";
    int mpegType = 6;
};

} // namespace kelvara::testing
