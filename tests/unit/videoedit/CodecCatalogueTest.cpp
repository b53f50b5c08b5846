#include "videoedit/CodecCatalogue.h"
#include "videoedit/EncoderAvailability.h"
#include "videoedit/NamedCodecList.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace kelvara;

TEST(CodecCatalogue, OnlyEncodersThatExistAreOfferedInCatalogueOrder)
{
    const std::set<std::string_view> present = { "mpeg4", "msmpeg4", "rawvideo", "pcm_s16le", "ac3" };
    const auto exists = [&](std::string_view encoder) { return present.count(encoder) > 0; };
    const std::vector<VideoCodecEntry> video = AvailableVideoCodecs(exists);
    ASSERT_EQ(video.size(), 3u);
    EXPECT_EQ(video[0].encoder, "mpeg4");
    EXPECT_EQ(video[1].encoder, "msmpeg4");
    EXPECT_EQ(video[2].encoder, "rawvideo");
    const std::vector<AudioCodecEntry> audio = AvailableAudioCodecs(exists);
    ASSERT_EQ(audio.size(), 2u);
    EXPECT_EQ(audio[0].encoder, "pcm_s16le");
    EXPECT_EQ(audio[1].encoder, "ac3");
    EXPECT_TRUE(AvailableVideoCodecs([](std::string_view) { return false; }).empty());
}

TEST(CodecCatalogue, TheNamesTheProgramLooksForAreThere)
{
    // The AVI panel selects the first name beginning with "DivX" and with
    // "MPEG Layer-3"; intermediate files look for the V3 name and "PCM".
    const std::vector<VideoCodecEntry> video = AvailableVideoCodecs(FfmpegHasEncoder);
    const std::vector<AudioCodecEntry> audio = AvailableAudioCodecs(FfmpegHasEncoder);
    ASSERT_FALSE(video.empty());
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ(video.front().name.substr(0, 4), "DivX");
    EXPECT_EQ(audio.front().name.substr(0, 12), "MPEG Layer-3");
    bool v3 = false;
    bool pcm = false;
    for (const VideoCodecEntry& entry : video)
        v3 = v3 || entry.name == "Microsoft MPEG-4 Video Codec V3";
    for (const AudioCodecEntry& entry : audio)
        pcm = pcm || entry.name.substr(0, 3) == "PCM";
    EXPECT_TRUE(v3);
    EXPECT_TRUE(pcm);
}

TEST(NamedCodecList, ItemsOutsideTheListAreEmpty)
{
    const NamedCodecList list({ "first", "second" });
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(1), "second");
    EXPECT_EQ(list.Item(2), "");
    EXPECT_EQ(list.Item(-1), "");
    EXPECT_EQ(NamedCodecList().Count(), 0);
}
