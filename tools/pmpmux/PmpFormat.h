// The PMP container: a header, an index with one entry per video frame, then
// one packet per video frame carrying that frame and the audio frames played
// with it. All numbers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara::pmp {

enum class VideoFormat : std::uint32_t {
    Mpeg4Part2 = 0,
    H264 = 1,
};

enum class AudioFormat : std::uint32_t {
    Mp3 = 0,
    Aac = 1,
};

inline constexpr std::string_view kMagic = "pmpm";
inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 4 + 13 * 4;
// A packet counts its audio frames in one byte.
inline constexpr std::uint32_t kMostAudioFramesPerPacket = 255;

struct PmpHeader {
    VideoFormat videoFormat = VideoFormat::Mpeg4Part2;
    std::uint32_t videoFrameCount = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // The duration of one video frame in seconds: numerator / denominator.
    std::uint32_t frameDurationNumerator = 1001;
    std::uint32_t frameDurationDenominator = 30000;
    AudioFormat audioFormat = AudioFormat::Mp3;
    std::uint32_t audioStreamCount = 1;
    std::uint32_t mostAudioFramesPerPacket = 1;
    std::uint32_t samplesPerAudioFrame = 1152;
    std::uint32_t sampleRate = 44100;
    bool stereo = true;
};

// What the index says of one packet.
struct PmpIndexEntry {
    std::uint32_t packetSize = 0;
    bool keyFrame = false;
};

// The fixed part in front of a packet's frames, for a single audio stream.
struct PmpPacketHead {
    std::int32_t firstAudioDelayMs = 0;
    std::int32_t lastAudioDelayMs = 0;
    std::uint32_t videoSize = 0;
    std::vector<std::uint32_t> audioSizes;

    std::uint32_t Size() const;
    std::uint32_t PacketSize() const;
};

std::string EncodeHeader(const PmpHeader& header);
std::string EncodeIndexEntry(const PmpIndexEntry& entry);
std::string EncodePacketHead(const PmpPacketHead& head);

// A whole PMP file taken apart, for checking one that was written.
struct PmpPacket {
    PmpPacketHead head;
    std::string_view video;
    std::vector<std::string_view> audio;
};

struct PmpFile {
    PmpHeader header;
    std::vector<PmpIndexEntry> index;
    std::vector<PmpPacket> packets;
};

// Parses and checks `bytes` (which must outlive the result); on failure
// `error` says what is wrong.
std::optional<PmpFile> ParsePmpFile(std::string_view bytes, std::string& error);

} // namespace kelvara::pmp
