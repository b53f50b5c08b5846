#include "OutputFormat.h"

#include <cctype>

namespace kelvara::tarvo {

namespace {

// The WMA encoder takes at most two channels and, unlike the others, does
// not say so to ffmpeg, which would then not downmix a 5.1 source for it.
constexpr OutputFormat kFormats[] = {
    { "mp3", OutputFamily::Audio, "-vn -sn -dn -c:a libmp3lame", AudioFamily::Mp3 },
    { "wma", OutputFamily::Audio, "-vn -sn -dn -c:a wmav2 -f asf -af aformat=channel_layouts=mono|stereo",
        AudioFamily::Wma },
    { "wav", OutputFamily::Audio, "-vn -sn -dn -c:a pcm_s16le", AudioFamily::Pcm },
    { "mp2", OutputFamily::Audio, "-vn -sn -dn -c:a mp2", AudioFamily::Mp2 },
    { "ac3", OutputFamily::Audio, "-vn -sn -dn -c:a ac3", AudioFamily::Ac3 },
    { "flac", OutputFamily::Audio, "-vn -sn -dn -c:a flac", AudioFamily::Flac, {}, true, true },
    { "opus", OutputFamily::Audio, "-vn -sn -dn -c:a libopus", AudioFamily::Opus, {}, true, true },
    // AAC LC (ffmpeg's AAC encoder writes no other profile unless told), the
    // index first so that a player starts before the whole file is there;
    // "-c:a alac" makes the same name an ALAC file.
    { "m4a", OutputFamily::Audio, "-vn -sn -dn -c:a aac -movflags +faststart", AudioFamily::Aac, {}, true,
        true },
    { "ogg", OutputFamily::Audio, "-vn -sn -dn -c:a libvorbis", AudioFamily::Vorbis, {}, true, true },
    { "bmp", OutputFamily::FfmpegPicture, "" },
    { "jpg", OutputFamily::FfmpegPicture, "-q:v 2" },
    { "jpeg", OutputFamily::FfmpegPicture, "-q:v 2" },
    { "pcx", OutputFamily::FfmpegPicture, "" },
    // RGB rather than the source's YCbCr: few TIFF readers take subsampled YCbCr.
    { "tif", OutputFamily::FfmpegPicture, "-pix_fmt rgb24" },
    { "tiff", OutputFamily::FfmpegPicture, "-pix_fmt rgb24" },
    { "png", OutputFamily::FfmpegPicture, "" },
    // A bare JPEG 2000 codestream, as the .j2k name promises (not a JP2 box file).
    { "j2k", OutputFamily::FfmpegPicture, "-c:v libopenjpeg -format j2k -pix_fmt rgb24" },
    { "gif", OutputFamily::GifAnimation, "" },
    { "eps", OutputFamily::OwnPicture, "", AudioFamily::Mp3, OwnPictureFormat::Eps },
    { "psd", OutputFamily::OwnPicture, "", AudioFamily::Mp3, OwnPictureFormat::Psd },
    { "pdf", OutputFamily::OwnPicture, "", AudioFamily::Mp3, OwnPictureFormat::Pdf },
    { "wmf", OutputFamily::OwnPicture, "", AudioFamily::Mp3, OwnPictureFormat::Wmf },
    { "emf", OutputFamily::OwnPicture, "", AudioFamily::Mp3, OwnPictureFormat::Emf },
};

struct EncoderFamily {
    std::string_view encoder;
    AudioFamily family;
};

constexpr EncoderFamily kEncoderFamilies[] = {
    { "libmp3lame", AudioFamily::Mp3 },
    { "wmav2", AudioFamily::Wma },
    { "pcm_s16le", AudioFamily::Pcm },
    { "mp2", AudioFamily::Mp2 },
    { "ac3", AudioFamily::Ac3 },
    { "flac", AudioFamily::Flac },
    { "libopus", AudioFamily::Opus },
    { "aac", AudioFamily::Aac },
    { "libvorbis", AudioFamily::Vorbis },
    { "alac", AudioFamily::Alac },
};

} // namespace

std::optional<AudioFamily> AudioFamilyOfEncoder(std::string_view encoder)
{
    for (const EncoderFamily& known : kEncoderFamilies) {
        if (known.encoder == encoder)
            return known.family;
    }
    return std::nullopt;
}

std::string LowerCaseExtension(std::string_view path)
{
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return {};
    std::string extension(name.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

OutputFormat DescribeOutput(std::string_view path, bool singlePictureRequested)
{
    const std::string extension = LowerCaseExtension(path);
    for (const OutputFormat& format : kFormats) {
        if (format.extension != extension)
            continue;
        OutputFormat described = format;
        if (described.family == OutputFamily::GifAnimation && singlePictureRequested)
            described.family = OutputFamily::GifPicture;
        return described;
    }
    return OutputFormat {};
}

} // namespace kelvara::tarvo
