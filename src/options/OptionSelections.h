// The option selections the converters read when they build a command. The
// main dialog answers from its panels; tests answer with fixed values.
#pragma once

#include <string>

namespace kelvara {

class OptionSelections {
public:
    virtual ~OptionSelections() = default;

    // Position in the picture type list: 0 GIF animation, 1..12 still pictures.
    virtual int PictureTypePosition() const = 0;
    // The "Original" export size mode: the source size instead of the job's
    // output size.
    virtual bool UseOriginalSize() const = 0;
    // Positions in the audio bitrate and sample rate lists (0 = Auto / Same
    // As Input File).
    virtual int AudioBitratePosition() const = 0;
    virtual int AudioSampleRatePosition() const = 0;

    // The AVI panel: the frame rate list's selected text ("29.97 HZ"), the
    // selected positions of the video and sound codec lists.
    virtual std::string AviFrameRateText() const = 0;
    virtual int AviVideoCodecPosition() const = 0;
    virtual int AviAudioCodecPosition() const = 0;
    // The MPEG panel: the selected texts of the audio bitrate ("128 Kbit/s"),
    // sample rate and frame rate lists, and the MPEG type position (0..7).
    virtual std::string MpegAudioBitrateText() const = 0;
    virtual std::string MpegSampleRateText() const = 0;
    virtual std::string MpegFrameRateText() const = 0;
    virtual int MpegTypePosition() const = 0;
};

} // namespace kelvara
