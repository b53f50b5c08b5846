#include "FormatByName.h"

#include "OutputFormat.h"

namespace kelvara::tarvo {

namespace {

constexpr NamedFormat kNamedFormats[] = {
    { "mp3", "mp3", "" },
    { "mp2", "mp2", "" },
    { "ac3", "ac3", "" },
    { "wav", "wav", "" },
    { "wma", "asf", "" },
    { "wmv", "asf", "" },
    { "asf", "asf", "" },
    { "avi", "avi", "" },
    { "mp4", "mp4", "" },
    { "m4v", "ipod", "" },
    { "m4a", "ipod", "" },
    { "mov", "mov", "" },
    { "3gp", "3gp", "" },
    { "3g2", "3g2", "" },
    { "psp", "psp", "" },
    { "mkv", "matroska", "" },
    { "mka", "matroska", "" },
    { "webm", "webm", "" },
    { "flv", "flv", "" },
    { "mpg", "mpeg", "" },
    { "mpeg", "mpeg", "" },
    { "vob", "svcd", "" },
    { "m2v", "mpeg2video", "" },
    { "ts", "mpegts", "" },
    { "m2ts", "mpegts", "" },
    { "ogg", "ogg", "" },
    { "ogv", "ogv", "" },
    { "oga", "oga", "" },
    { "opus", "opus", "" },
    { "flac", "flac", "" },
    { "aac", "adts", "" },
    { "amr", "amr", "" },
    { "dv", "dv", "" },
    { "gif", "gif", "" },
    { "bmp", "image2", "bmp" },
    { "jpg", "image2", "mjpeg" },
    { "jpeg", "image2", "mjpeg" },
    { "pcx", "image2", "pcx" },
    { "tif", "image2", "tiff" },
    { "tiff", "image2", "tiff" },
    { "png", "image2", "png" },
    { "j2k", "image2", "jpeg2000" },
    { "ppm", "image2", "ppm" },
    { "tga", "image2", "targa" },
};

const NamedFormat* Find(std::string_view path)
{
    const std::string extension = LowerCaseExtension(path);
    for (const NamedFormat& format : kNamedFormats) {
        if (format.extension == extension)
            return &format;
    }
    return nullptr;
}

} // namespace

std::span<const NamedFormat> NamedFormats()
{
    return kNamedFormats;
}

std::optional<std::string> MuxerForName(std::string_view path)
{
    const NamedFormat* format = Find(path);
    return format ? std::optional<std::string>(format->muxer) : std::nullopt;
}

std::optional<std::string> PictureEncoderForName(std::string_view path)
{
    const NamedFormat* format = Find(path);
    if (!format || format->pictureEncoder.empty())
        return std::nullopt;
    return std::string(format->pictureEncoder);
}

} // namespace kelvara::tarvo
