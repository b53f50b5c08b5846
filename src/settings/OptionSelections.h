// The option selections the converters read when they build a command. The
// main dialog answers from its panels; tests answer with fixed values.
#pragma once

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
};

} // namespace kelvara
