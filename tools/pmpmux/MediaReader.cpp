#include "MediaReader.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/error.h>
}

namespace kelvara::pmp {

namespace {

std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// A frame rate that the file states, else the inverse of its time base.
AVRational FrameDuration(const AVStream& stream)
{
    for (AVRational rate : { stream.avg_frame_rate, stream.r_frame_rate }) {
        if (rate.num > 0 && rate.den > 0)
            return { rate.den, rate.num };
    }
    return stream.time_base;
}

// Rates such as 29.97 are stored as 2997/100 when they were given as
// decimals; readers keep their timing steadier with the exact NTSC value
// they stand for (1001/30000 s a frame), which differs by one part in a million.
AVRational WithNtscDuration(AVRational duration)
{
    for (int base : { 15, 24, 30, 48, 60 }) {
        const AVRational ntsc { 1001, base * 1000 };
        const double ratio = av_q2d(duration) / av_q2d(ntsc);
        if (ratio != 1.0 && ratio > 1.0 - 1e-5 && ratio < 1.0 + 1e-5)
            return ntsc;
    }
    return duration;
}

StreamFacts FactsOf(const AVStream& stream)
{
    const AVCodecParameters& codec = *stream.codecpar;
    StreamFacts facts;
    facts.codecId = codec.codec_id;
    facts.timeBaseNumerator = stream.time_base.num;
    facts.timeBaseDenominator = stream.time_base.den;
    if (codec.codec_type == AVMEDIA_TYPE_VIDEO) {
        facts.width = static_cast<std::uint32_t>(codec.width);
        facts.height = static_cast<std::uint32_t>(codec.height);
        AVRational duration = WithNtscDuration(FrameDuration(stream));
        av_reduce(&duration.num, &duration.den, duration.num, duration.den, INT32_MAX);
        facts.frameDurationNumerator = duration.num;
        facts.frameDurationDenominator = duration.den;
    } else {
        facts.sampleRate = static_cast<std::uint32_t>(codec.sample_rate);
        facts.channels = static_cast<std::uint32_t>(codec.ch_layout.nb_channels);
        facts.samplesPerFrame = static_cast<std::uint32_t>(std::max(codec.frame_size, 0));
    }
    return facts;
}

} // namespace

void MediaReader::FormatCloser::operator()(AVFormatContext* context) const
{
    avformat_close_input(&context);
}

void MediaReader::PacketFreer::operator()(AVPacket* packet) const
{
    av_packet_free(&packet);
}

MediaReader::MediaReader()
    : m_packet(av_packet_alloc())
{
}

MediaReader::~MediaReader() = default;

bool MediaReader::Open(const std::string& path, StreamKind kind, std::string& error)
{
    AVFormatContext* context = nullptr;
    if (const int result = avformat_open_input(&context, path.c_str(), nullptr, nullptr); result < 0) {
        error = "cannot open " + path + ": " + ErrorText(result);
        return false;
    }
    m_format.reset(context);
    if (const int result = avformat_find_stream_info(context, nullptr); result < 0) {
        error = "cannot read " + path + ": " + ErrorText(result);
        return false;
    }
    const AVMediaType type = kind == StreamKind::Video ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_AUDIO;
    m_stream = av_find_best_stream(context, type, -1, -1, nullptr, 0);
    if (m_stream < 0) {
        error = path + " has no " + (kind == StreamKind::Video ? "video" : "audio") + " stream";
        return false;
    }
    m_facts = FactsOf(*context->streams[m_stream]);
    return true;
}

std::optional<MediaPacket> MediaReader::Next(std::string& error)
{
    if (!m_format || !m_packet)
        return std::nullopt;
    for (;;) {
        av_packet_unref(m_packet.get());
        const int result = av_read_frame(m_format.get(), m_packet.get());
        if (result == AVERROR_EOF)
            return std::nullopt;
        if (result < 0) {
            error = "read error: " + ErrorText(result);
            return std::nullopt;
        }
        if (m_packet->stream_index != m_stream)
            continue;
        MediaPacket packet;
        packet.bytes.assign(
            reinterpret_cast<const char*>(m_packet->data), static_cast<std::size_t>(m_packet->size));
        packet.keyFrame = (m_packet->flags & AV_PKT_FLAG_KEY) != 0;
        if (m_packet->pts != AV_NOPTS_VALUE)
            packet.pts = m_packet->pts;
        return packet;
    }
}

} // namespace kelvara::pmp
