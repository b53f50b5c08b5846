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
// VCD pictures are 4:3 only; SVCD and DVD carry a 16:9 display as well.
constexpr std::array kStandards = {
    DiscStandard { VideoEditFormat::VcdPal, "pal-vcd", AudioFamily::Mp2, 44100, 224, 224, 352, 288, false },
    DiscStandard { VideoEditFormat::VcdNtsc, "ntsc-vcd", AudioFamily::Mp2, 44100, 224, 224, 352, 240, false },
    DiscStandard { VideoEditFormat::SvcdPal, "pal-svcd", AudioFamily::Mp2, 44100, 32, 384, 480, 576, true },
    DiscStandard { VideoEditFormat::SvcdNtsc, "ntsc-svcd", AudioFamily::Mp2, 44100, 32, 384, 480, 480, true },
    DiscStandard { VideoEditFormat::DvdPal, "pal-dvd", AudioFamily::Ac3, 48000, 64, 448, 720, 576, true },
    DiscStandard { VideoEditFormat::DvdNtsc, "ntsc-dvd", AudioFamily::Ac3, 48000, 64, 448, 720, 480, true },
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
