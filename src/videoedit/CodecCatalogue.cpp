#include "CodecCatalogue.h"

#include <array>

namespace kelvara {

namespace {

// The first entry is the component's default (UseVideoCodec off). The DivX
// entry is what the AVI panel selects first; the Microsoft V3 entry is what
// the program prefers for intermediate files.
constexpr std::array kVideoCodecs = {
    VideoCodecEntry { "DivX-compatible MPEG-4 Video", "mpeg4", "DX50", "yuv420p", "-q:v", "3" },
    VideoCodecEntry { "Xvid MPEG-4 Video", "libxvid", "XVID", "yuv420p", "-q:v", "3" },
    VideoCodecEntry { "Microsoft MPEG-4 Video Codec V3", "msmpeg4", "MP43", "yuv420p", "-q:v", "3" },
    VideoCodecEntry { "Microsoft MPEG-4 Video Codec V2", "msmpeg4v2", "MP42", "yuv420p", "-q:v", "3" },
    VideoCodecEntry { "H.264 / AVC Video (x264)", "libx264", "H264", "yuv420p", "-crf", "21" },
    VideoCodecEntry { "Motion JPEG", "mjpeg", "MJPG", "yuvj420p", "-q:v", "3" },
    VideoCodecEntry { "HuffYUV Lossless", "huffyuv", "HFYU", "yuv422p", "", "" },
    VideoCodecEntry { "FFV1 Lossless", "ffv1", "FFV1", "yuv420p", "", "" },
    // An empty tag: AVI's own code for uncompressed bitmaps.
    VideoCodecEntry { "Uncompressed RGB 24-bit", "rawvideo", "", "bgr24", "", "" },
};

constexpr std::array kAudioCodecs = {
    AudioCodecEntry { "MPEG Layer-3 (MP3)", "libmp3lame", AudioFamily::Mp3 },
    AudioCodecEntry { "PCM 16-bit (uncompressed)", "pcm_s16le", AudioFamily::Pcm },
    AudioCodecEntry { "MPEG Layer-2 (MP2)", "mp2", AudioFamily::Mp2 },
    AudioCodecEntry { "AC-3 (A/52)", "ac3", AudioFamily::Ac3 },
    AudioCodecEntry { "Microsoft ADPCM", "adpcm_ms", AudioFamily::Adpcm },
    AudioCodecEntry { "IMA ADPCM", "adpcm_ima_wav", AudioFamily::Adpcm },
};

template <typename Entry> std::vector<Entry> Available(std::span<const Entry> all, const EncoderCheck& exists)
{
    std::vector<Entry> available;
    for (const Entry& entry : all) {
        if (exists(entry.encoder))
            available.push_back(entry);
    }
    return available;
}

} // namespace

std::span<const VideoCodecEntry> AllVideoCodecs()
{
    return kVideoCodecs;
}

std::span<const AudioCodecEntry> AllAudioCodecs()
{
    return kAudioCodecs;
}

std::vector<VideoCodecEntry> AvailableVideoCodecs(const EncoderCheck& exists)
{
    return Available(AllVideoCodecs(), exists);
}

std::vector<AudioCodecEntry> AvailableAudioCodecs(const EncoderCheck& exists)
{
    return Available(AllAudioCodecs(), exists);
}

} // namespace kelvara
