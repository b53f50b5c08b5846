#include "PmpFormat.h"

#include <numeric>

namespace kelvara::pmp {

namespace {

void AppendU32(std::string& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
}

void AppendI32(std::string& bytes, std::int32_t value)
{
    AppendU32(bytes, static_cast<std::uint32_t>(value));
}

// Reads little-endian numbers from the front of a byte range, noting when
// the range ran out.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    std::uint32_t U32()
    {
        if (!Has(4))
            return 0;
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(m_bytes[static_cast<std::size_t>(i)]);
        m_bytes.remove_prefix(4);
        return value;
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint8_t U8()
    {
        if (!Has(1))
            return 0;
        const auto value = static_cast<std::uint8_t>(m_bytes.front());
        m_bytes.remove_prefix(1);
        return value;
    }
    std::string_view Bytes(std::size_t count)
    {
        if (!Has(count))
            return {};
        const std::string_view taken = m_bytes.substr(0, count);
        m_bytes.remove_prefix(count);
        return taken;
    }
    bool Overran() const { return m_overran; }
    std::size_t Left() const { return m_bytes.size(); }

private:
    bool Has(std::size_t count)
    {
        if (m_bytes.size() >= count)
            return true;
        m_overran = true;
        m_bytes = {};
        return false;
    }

    std::string_view m_bytes;
    bool m_overran = false;
};

std::optional<PmpHeader> ParseHeader(ByteReader& reader, std::string& error)
{
    if (reader.Bytes(kMagic.size()) != kMagic) {
        error = "not a PMP file (no \"pmpm\" at the start)";
        return std::nullopt;
    }
    if (reader.U32() != kVersion) {
        error = "unknown PMP version";
        return std::nullopt;
    }
    PmpHeader header;
    const std::uint32_t videoFormat = reader.U32();
    header.videoFormat = static_cast<VideoFormat>(videoFormat);
    header.videoFrameCount = reader.U32();
    header.width = reader.U32();
    header.height = reader.U32();
    header.frameDurationNumerator = reader.U32();
    header.frameDurationDenominator = reader.U32();
    const std::uint32_t audioFormat = reader.U32();
    header.audioFormat = static_cast<AudioFormat>(audioFormat);
    header.audioStreamCount = reader.U32() & 0xFFFF;
    header.mostAudioFramesPerPacket = reader.U32();
    header.samplesPerAudioFrame = reader.U32();
    header.sampleRate = reader.U32();
    const std::uint32_t stereo = reader.U32();
    header.stereo = stereo == 1;
    if (reader.Overran())
        error = "the header is cut short";
    else if (videoFormat > 1 || audioFormat > 1)
        error = "unknown video or audio format";
    else if (header.width == 0 || header.height == 0 || header.frameDurationNumerator == 0
        || header.frameDurationDenominator == 0)
        error = "no picture size or frame duration";
    else if (header.audioStreamCount != 1)
        error = "not exactly one audio stream";
    else if (header.mostAudioFramesPerPacket == 0
        || header.mostAudioFramesPerPacket > kMostAudioFramesPerPacket)
        error = "impossible number of audio frames per packet";
    else if (header.samplesPerAudioFrame == 0 || header.sampleRate == 0 || stereo > 1)
        error = "no audio frame length, sample rate or channel mode";
    return error.empty() ? std::optional(header) : std::nullopt;
}

std::optional<PmpPacket> ParsePacket(
    ByteReader& reader, const PmpHeader& header, const PmpIndexEntry& entry, std::string& error)
{
    PmpPacket packet;
    const std::uint8_t audioFrames = reader.U8();
    packet.head.firstAudioDelayMs = reader.I32();
    packet.head.lastAudioDelayMs = reader.I32();
    packet.head.videoSize = reader.U32();
    for (std::uint8_t i = 0; i < audioFrames; ++i)
        packet.head.audioSizes.push_back(reader.U32());
    if (reader.Overran()) {
        error = "a packet is cut short";
        return std::nullopt;
    }
    if (audioFrames == 0 || audioFrames > header.mostAudioFramesPerPacket) {
        error = "a packet's number of audio frames is out of range";
        return std::nullopt;
    }
    if (packet.head.PacketSize() != entry.packetSize) {
        error = "a packet's size does not match the index";
        return std::nullopt;
    }
    packet.video = reader.Bytes(packet.head.videoSize);
    for (std::uint32_t size : packet.head.audioSizes)
        packet.audio.push_back(reader.Bytes(size));
    if (reader.Overran()) {
        error = "a packet's frames are cut short";
        return std::nullopt;
    }
    return packet;
}

} // namespace

std::uint32_t PmpPacketHead::Size() const
{
    return static_cast<std::uint32_t>(1 + 4 + 4 + 4 + 4 * audioSizes.size());
}

std::uint32_t PmpPacketHead::PacketSize() const
{
    return Size() + videoSize + std::accumulate(audioSizes.begin(), audioSizes.end(), 0u);
}

std::string EncodeHeader(const PmpHeader& header)
{
    std::string bytes(kMagic);
    for (std::uint32_t value : { kVersion, static_cast<std::uint32_t>(header.videoFormat),
             header.videoFrameCount, header.width, header.height, header.frameDurationNumerator,
             header.frameDurationDenominator, static_cast<std::uint32_t>(header.audioFormat),
             header.audioStreamCount, header.mostAudioFramesPerPacket, header.samplesPerAudioFrame,
             header.sampleRate, header.stereo ? 1u : 0u })
        AppendU32(bytes, value);
    return bytes;
}

std::string EncodeIndexEntry(const PmpIndexEntry& entry)
{
    std::string bytes;
    AppendU32(bytes, (entry.packetSize << 1) | (entry.keyFrame ? 1u : 0u));
    return bytes;
}

std::string EncodePacketHead(const PmpPacketHead& head)
{
    std::string bytes;
    bytes += static_cast<char>(head.audioSizes.size());
    AppendI32(bytes, head.firstAudioDelayMs);
    AppendI32(bytes, head.lastAudioDelayMs);
    AppendU32(bytes, head.videoSize);
    for (std::uint32_t size : head.audioSizes)
        AppendU32(bytes, size);
    return bytes;
}

std::optional<PmpFile> ParsePmpFile(std::string_view bytes, std::string& error)
{
    error.clear();
    ByteReader reader(bytes);
    auto header = ParseHeader(reader, error);
    if (!header)
        return std::nullopt;
    PmpFile file { *header, {}, {} };
    if (reader.Left() / 4 < header->videoFrameCount) {
        error = "the index is cut short";
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < header->videoFrameCount; ++i) {
        const std::uint32_t value = reader.U32();
        file.index.push_back({ value >> 1, (value & 1) != 0 });
    }
    if (file.index.empty() || !file.index.front().keyFrame) {
        error = "the video does not start with a key frame";
        return std::nullopt;
    }
    for (const PmpIndexEntry& entry : file.index) {
        auto packet = ParsePacket(reader, *header, entry, error);
        if (!packet)
            return std::nullopt;
        file.packets.push_back(std::move(*packet));
    }
    if (reader.Left() != 0) {
        error = "bytes after the last packet";
        return std::nullopt;
    }
    return file;
}

} // namespace kelvara::pmp
