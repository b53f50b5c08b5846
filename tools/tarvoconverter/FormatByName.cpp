#include "FormatByName.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace kelvara::tarvo {

// The same library calls ffmpeg makes for an output without -f or -c:v, so
// the answer is ffmpeg's own, for every extension it knows.
std::optional<std::string> MuxerForName(const std::string& path)
{
    const AVOutputFormat* format = av_guess_format(nullptr, path.c_str(), nullptr);
    if (!format)
        return std::nullopt;
    return std::string(format->name);
}

std::optional<std::string> PictureEncoderForName(const std::string& path)
{
    const AVOutputFormat* image2 = av_guess_format("image2", nullptr, nullptr);
    if (!image2)
        return std::nullopt;
    const AVCodecID codec = av_guess_codec(image2, nullptr, path.c_str(), nullptr, AVMEDIA_TYPE_VIDEO);
    const AVCodec* encoder = codec == AV_CODEC_ID_NONE ? nullptr : avcodec_find_encoder(codec);
    if (!encoder)
        return std::nullopt;
    return std::string(encoder->name);
}

} // namespace kelvara::tarvo
