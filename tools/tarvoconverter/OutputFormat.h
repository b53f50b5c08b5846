// What each output file type is, chosen by the file's extension.
#pragma once

#include "ffmpeg/AudioLimits.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelvara::tarvo {

enum class OutputFamily {
    Media, // anything ffmpeg writes from its own options (device profiles)
    Audio, // the audio kinds
    FfmpegPicture, // one frame in a picture format ffmpeg writes
    GifPicture, // one frame as GIF
    GifAnimation, // the clip as an animated GIF
    OwnPicture, // one frame, written by our own writers
};

enum class OwnPictureFormat { Eps, Psd, Pdf, Wmf, Emf };

struct OutputFormat {
    std::string_view extension; // empty for OutputFamily::Media
    OutputFamily family = OutputFamily::Media;
    // Blank-separated ffmpeg options written before the caller's own
    // options for this output, so that a profile can override them.
    std::string_view ffmpegDefaults;
    AudioFamily audioCodec = AudioFamily::Mp3; // for OutputFamily::Audio
    OwnPictureFormat ownPicture = OwnPictureFormat::Eps; // for OutputFamily::OwnPicture
    // The file's title tag is its name. The older audio types keep the
    // source's title, as they always have.
    bool titleFromName = false;
    // A silent source is refused with the plain reason even when the options
    // name an audio codec. The older audio types get a silent track then, as
    // the device profiles that write their sound to one of them rely on.
    bool refusesSilentSource = false;
};

// The lower-case extension of a path's file name, without the dot.
std::string LowerCaseExtension(std::string_view path);

// A GIF is a single picture when -f image2 or -t 0.001 asked for one frame.
OutputFormat DescribeOutput(std::string_view path, bool singlePictureRequested);

// The audio family of an ffmpeg encoder an output's options name ("-c:a
// alac" makes an .m4a an ALAC file), so that its limits apply.
std::optional<AudioFamily> AudioFamilyOfEncoder(std::string_view encoder);

} // namespace kelvara::tarvo
