#include "DiscStandards.h"

#include "ffmpeg/AudioLimits.h"

#include <algorithm>
#include <array>

namespace kelvara {

namespace {

// NTSC rows: ffmpeg's NTSC presets run at 30000/1001 frames per second, the
// NTSC rate; the panel's "29" for these types means that rate.
// VCD's audio is fixed at 224 kbit/s; SVCD allows MPEG-1 Layer II from 32 to
// 384 kbit/s; DVD players take AC-3 from 64 to 448 kbit/s.
constexpr std::array kStandards = {
    DiscStandard { VideoEditFormat::VcdPal, "pal-vcd", AudioFamily::Mp2, 44100, 224, 224 },
    DiscStandard { VideoEditFormat::VcdNtsc, "ntsc-vcd", AudioFamily::Mp2, 44100, 224, 224 },
    DiscStandard { VideoEditFormat::SvcdPal, "pal-svcd", AudioFamily::Mp2, 44100, 32, 384 },
    DiscStandard { VideoEditFormat::SvcdNtsc, "ntsc-svcd", AudioFamily::Mp2, 44100, 32, 384 },
    DiscStandard { VideoEditFormat::DvdPal, "pal-dvd", AudioFamily::Ac3, 48000, 64, 448 },
    DiscStandard { VideoEditFormat::DvdNtsc, "ntsc-dvd", AudioFamily::Ac3, 48000, 64, 448 },
};

} // namespace

std::optional<DiscStandard> DiscStandardFor(VideoEditFormat format)
{
    for (const DiscStandard& standard : kStandards) {
        if (standard.format == format)
            return standard;
    }
    return std::nullopt;
}

int DiscAudioKbits(const DiscStandard& standard, int requestedKbits)
{
    const int allowed = AudioBitrateFor(standard.audio, standard.sampleRate, requestedKbits);
    return std::clamp(allowed, standard.lowestAudioKbits, standard.highestAudioKbits);
}

} // namespace kelvara
