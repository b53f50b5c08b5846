// Reads the packets of one stream of a media file through libavformat.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct AVFormatContext;
struct AVPacket;

namespace kelvara::pmp {

enum class StreamKind { Video, Audio };

struct StreamFacts {
    int codecId = 0; // an AVCodecID
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // The duration of one video frame, in seconds: numerator / denominator.
    std::int64_t frameDurationNumerator = 0;
    std::int64_t frameDurationDenominator = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t channels = 0;
    std::uint32_t samplesPerFrame = 0; // 0 when the reader does not know
    // The unit of the packets' times, in seconds: numerator / denominator.
    std::int64_t timeBaseNumerator = 1;
    std::int64_t timeBaseDenominator = 1;
};

struct MediaPacket {
    std::string bytes;
    bool keyFrame = false;
    std::optional<std::int64_t> pts; // in the stream's time base
};

class MediaReader {
public:
    MediaReader();
    ~MediaReader();
    MediaReader(const MediaReader&) = delete;
    MediaReader& operator=(const MediaReader&) = delete;

    // Opens `path` and picks its main stream of `kind`; on failure `error`
    // says why.
    bool Open(const std::string& path, StreamKind kind, std::string& error);
    const StreamFacts& Facts() const { return m_facts; }
    // The next packet of the stream, or nothing at the end (or on a read
    // error, which `error` then describes).
    std::optional<MediaPacket> Next(std::string& error);

private:
    struct FormatCloser {
        void operator()(AVFormatContext* context) const;
    };
    struct PacketFreer {
        void operator()(AVPacket* packet) const;
    };

    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVPacket, PacketFreer> m_packet;
    int m_stream = -1;
    StreamFacts m_facts;
};

} // namespace kelvara::pmp
