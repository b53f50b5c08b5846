// Our table of what an output's extension tells ffmpeg agrees with what
// ffmpeg's own library answers for the same name.
#include "FormatByName.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

using namespace kelvara::tarvo;

TEST(FormatByName, EveryExtensionGivesTheMuxerAndPictureEncoderFfmpegWouldTake)
{
    const AVOutputFormat* image2 = av_guess_format("image2", nullptr, nullptr);
    ASSERT_NE(image2, nullptr);
    for (const NamedFormat& format : NamedFormats()) {
        const std::string name = "/out/clip." + std::string(format.extension);
        const AVOutputFormat* muxer = av_guess_format(nullptr, name.c_str(), nullptr);
        ASSERT_NE(muxer, nullptr) << name;
        EXPECT_EQ(MuxerForName(name), muxer->name) << name;
        if (std::string_view(muxer->name) != "image2")
            continue;
        const AVCodec* encoder = avcodec_find_encoder(
            av_guess_codec(image2, nullptr, name.c_str(), nullptr, AVMEDIA_TYPE_VIDEO));
        ASSERT_NE(encoder, nullptr) << name;
        EXPECT_EQ(PictureEncoderForName(name), encoder->name) << name;
    }
    // ffmpeg matches extensions in any case.
    EXPECT_EQ(MuxerForName("/out/CLIP.MP4"), "mp4");
    EXPECT_EQ(PictureEncoderForName("/out/a.TIF"), "tiff");
    EXPECT_EQ(MuxerForName("/out/a.pmp"), std::nullopt);
}
