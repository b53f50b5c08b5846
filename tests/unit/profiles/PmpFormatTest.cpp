#include "PmpFormat.h"
#include "AudioInterleave.h"
#include "Mp3Frames.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace kelvara::pmp;

namespace {

// Builds a file of `frames` packets, packet i carrying i % 3 + 1 audio frames.
std::string SmallPmpFile(std::uint32_t frames)
{
    PmpHeader header;
    header.videoFrameCount = frames;
    header.width = 480;
    header.height = 272;
    header.mostAudioFramesPerPacket = 3;
    std::string index;
    std::string packets;
    for (std::uint32_t i = 0; i < frames; ++i) {
        PmpPacketHead head;
        head.videoSize = 10 + i;
        head.audioSizes.assign(i % 3 + 1, 7);
        index += EncodeIndexEntry({ head.PacketSize(), i % 4 == 0 });
        packets += EncodePacketHead(head) + std::string(head.videoSize, 'v')
            + std::string(7 * head.audioSizes.size(), 'a');
    }
    return EncodeHeader(header) + index + packets;
}

TEST(PmpLayout, HeaderFieldsSitWhereReadersLookForThem)
{
    PmpHeader header;
    header.videoFormat = VideoFormat::H264;
    header.videoFrameCount = 0x01020304;
    header.width = 480;
    header.height = 272;
    header.audioStreamCount = 1;
    header.mostAudioFramesPerPacket = 9;
    header.sampleRate = 48000;
    header.stereo = false;
    const std::string bytes = EncodeHeader(header);
    ASSERT_EQ(bytes.size(), kHeaderSize);
    EXPECT_EQ(bytes.substr(0, 8), std::string("pmpm\x01\0\0\0", 8));
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(bytes.substr(12, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(bytes.substr(16, 8), std::string("\xE0\x01\0\0\x10\x01\0\0", 8));
    EXPECT_EQ(bytes.substr(24, 8), std::string("\xE9\x03\0\0\x30\x75\0\0", 8));
    EXPECT_EQ(bytes.substr(32, 4), std::string(4, '\0'));
    EXPECT_EQ(bytes.substr(44, 4), std::string("\x80\x04\0\0", 4));
    EXPECT_EQ(bytes.substr(48, 4), std::string("\x80\xBB\0\0", 4));
    EXPECT_EQ(bytes.substr(52, 4), std::string(4, '\0'));
}

TEST(PmpLayout, IndexEntryIsThePacketSizeShiftedWithTheKeyFlag)
{
    EXPECT_EQ(EncodeIndexEntry({ 0x100, true }), std::string("\x01\x02\0\0", 4));
    EXPECT_EQ(EncodeIndexEntry({ 0x100, false }), std::string("\x00\x02\0\0", 4));
    PmpPacketHead head;
    head.firstAudioDelayMs = -2;
    head.videoSize = 5;
    head.audioSizes = { 3, 4 };
    EXPECT_EQ(head.Size(), 1u + 8 + 4 + 8);
    EXPECT_EQ(head.PacketSize(), head.Size() + 5 + 3 + 4);
    EXPECT_EQ(EncodePacketHead(head).substr(0, 5), std::string("\x02\xFE\xFF\xFF\xFF", 5));
}

TEST(PmpParsing, WrittenFileParsesBackPacketByPacket)
{
    const std::string bytes = SmallPmpFile(7);
    std::string error;
    const auto file = ParsePmpFile(bytes, error);
    ASSERT_TRUE(file) << error;
    ASSERT_EQ(file->packets.size(), 7u);
    EXPECT_EQ(file->header.width, 480u);
    EXPECT_TRUE(file->index[4].keyFrame);
    EXPECT_FALSE(file->index[5].keyFrame);
    EXPECT_EQ(file->packets[6].video, std::string(16, 'v'));
    EXPECT_EQ(file->packets[5].audio.size(), 3u);
}

TEST(PmpParsing, DamagedFilesAreRejected)
{
    const std::string good = SmallPmpFile(4);
    std::string error;
    EXPECT_FALSE(ParsePmpFile(good.substr(0, good.size() - 1), error));
    EXPECT_FALSE(ParsePmpFile(good + "x", error));
    EXPECT_FALSE(ParsePmpFile(good.substr(0, 30), error));

    std::string wrongIndex = good;
    wrongIndex[kHeaderSize + 4] ^= 0x04; // second packet's size
    EXPECT_FALSE(ParsePmpFile(wrongIndex, error));

    std::string noAudio = good;
    noAudio[kHeaderSize + 4 * 4] = '\0'; // first packet's audio frame count
    EXPECT_FALSE(ParsePmpFile(noAudio, error));

    std::string notKey = good;
    notKey[kHeaderSize] &= ~1;
    EXPECT_FALSE(ParsePmpFile(notKey, error));
    EXPECT_FALSE(error.empty());
}

uint32_t SharedFrames(const InterleavePlan& plan)
{
    return std::accumulate(plan.shares.begin(), plan.shares.end(), 0u,
        [](std::uint32_t sum, const AudioShare& share) { return sum + share.frameCount; });
}

void ExpectConsecutiveShares(const InterleavePlan& plan)
{
    std::uint32_t next = 0;
    for (const AudioShare& share : plan.shares) {
        EXPECT_GE(share.frameCount, 1u);
        EXPECT_LE(share.frameCount, plan.mostFramesPerPacket);
        EXPECT_EQ(share.firstFrame, next);
        next += share.frameCount;
    }
}

TEST(PmpInterleave, AudioFramesFollowTheVideoClock)
{
    // 30 frames at 29.97 fps and 44.1 kHz MP3: 1.001 s of video, 38.3 frames/s.
    const Timing timing { 1001, 30000, 1152, 44100 };
    const InterleavePlan plan = PlanInterleave(30, 60, timing);
    ASSERT_EQ(plan.shares.size(), 30u);
    ExpectConsecutiveShares(plan);
    EXPECT_EQ(SharedFrames(plan), 39u); // frames starting before 1.001 s
    EXPECT_EQ(plan.paddingFrames, 0u);
    EXPECT_EQ(plan.mostFramesPerPacket, 2u);
    for (const AudioShare& share : plan.shares) {
        EXPECT_GE(share.firstDelayMs, -34);
        EXPECT_LE(share.lastDelayMs, 34);
    }
}

TEST(PmpInterleave, SparseAudioStillGivesEveryPacketAFrameAndPadsTheEnd)
{
    // 32 kHz MP3 has 27.8 frames/s, fewer than the 30 video frames.
    const Timing timing { 1, 30, 1152, 32000 };
    const InterleavePlan plan = PlanInterleave(60, 56, timing);
    ExpectConsecutiveShares(plan);
    EXPECT_EQ(SharedFrames(plan), 60u);
    EXPECT_EQ(plan.paddingFrames, 4u);
}

TEST(PmpInterleave, PacketsCarryAtMost255AudioFrames)
{
    const Timing timing { 10, 1, 576, 48000 }; // 833 audio frames per video frame
    const InterleavePlan plan = PlanInterleave(3, 5000, timing);
    ExpectConsecutiveShares(plan);
    EXPECT_EQ(plan.mostFramesPerPacket, kMostAudioFramesPerPacket);
}

TEST(Mp3Frames, SamplesPerFrameComeFromTheHeader)
{
    EXPECT_EQ(SamplesPerMpegAudioFrame("\xFF\xFB\x90\x64"), 1152u); // MPEG-1 layer III
    EXPECT_EQ(SamplesPerMpegAudioFrame("\xFF\xF3\x90\x64"), 576u); // MPEG-2 layer III
    EXPECT_EQ(SamplesPerMpegAudioFrame("\xFF\xE3\x90\x64"), 576u); // MPEG-2.5 layer III
    EXPECT_EQ(SamplesPerMpegAudioFrame("\xFF\xFD\x90\x64"), 1152u); // MPEG-1 layer II
    EXPECT_FALSE(SamplesPerMpegAudioFrame("ID3\x03"));
    EXPECT_FALSE(SamplesPerMpegAudioFrame("\xFF\xFB"));
}

TEST(Mp3Frames, SilentFrameKeepsSizeAndHeaderWithoutCrc)
{
    const std::string model = std::string("\xFF\xFA\x90\x64", 4) + std::string(413, 'x');
    const std::string silent = SilentMpegAudioFrame(model);
    ASSERT_EQ(silent.size(), model.size());
    EXPECT_EQ(silent.substr(0, 4), "\xFF\xFB\x90\x64");
    EXPECT_TRUE(IsSilentMpegAudioFrame(silent));
    EXPECT_FALSE(IsSilentMpegAudioFrame(model));
}

} // namespace
