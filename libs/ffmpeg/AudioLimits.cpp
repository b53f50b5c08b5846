#include "ffmpeg/AudioLimits.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

namespace kelvara {

namespace {

constexpr int kDefaultSampleRate = 44100;
// Beyond these, a request is not a sample rate anyone meant.
constexpr int kLowestSampleRate = 8000;
constexpr int kHighestSampleRate = 192000;

constexpr std::array kMp3Rates = { 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000 };
constexpr std::array kMp2Rates = { 16000, 22050, 24000, 32000, 44100, 48000 };
constexpr std::array kAc3Rates = { 32000, 44100, 48000 };
constexpr std::array kWmaRates = { 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000 };
constexpr std::array kOpusRates = { 8000, 12000, 16000, 24000, 48000 };
constexpr std::array kAacRates
    = { 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 64000, 88200, 96000 };
// A FLAC stream header holds the rate in 20 bits of tens of hertz at most.
constexpr int kHighestFlacRate = 655350;

// MPEG audio has one bitrate table for 32 kHz and above (MPEG-1), one for
// 16 to 24 kHz (MPEG-2) and, for MP3 only, one below 16 kHz (MPEG-2.5).
constexpr int kMpeg1LowestRate = 32000;
constexpr int kMpeg2LowestRate = 16000;
constexpr std::array kMp3Bitrates = { 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320 };
constexpr std::array kMp2Bitrates = { 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };
constexpr std::array kMpeg2Bitrates = { 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160 };
constexpr std::array kMpeg25Bitrates = { 8, 16, 24, 32, 40, 48, 56, 64 };
constexpr std::array kAc3Bitrates
    = { 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640 };

// The WMA encoder refuses less; it takes any bitrate above.
constexpr int kLowestWmaKbits = 24;

// ffmpeg's AC-3 encoder fails its bit allocation for 5.1 below 48 to 56
// kbit/s and for four channels below 40, depending on the sound; stereo and
// mono work from the lowest bitrate, 32. Below 64 kbit/s only stereo is safe.
constexpr int kAc3SurroundLowestKbits = 64;
constexpr int kAc3StereoChannels = 2;

// Opus takes 6 to 510 kbit/s, but a mono stream no more than 256: the most
// of every list above still gives a file, and Opus is transparent far below.
constexpr int kLowestOpusKbits = 6;
constexpr int kHighestOpusKbits = 256;

// libvorbis's nominal stereo bitrate at each quality from 0 to 9 (below 0 the
// quality scale is not a quality to ffmpeg, above 9 no list asks).
constexpr std::array kVorbisQualityKbits = { 64, 80, 96, 112, 128, 160, 192, 224, 256, 320 };

// Opus, Vorbis, AAC and FLAC carry at most eight channels; Opus and Vorbis in
// the order of the Vorbis layouts, AAC in its own, both of which ffmpeg's
// "5.1" fits and its "5.1(side)" does not. FLAC and ALAC take any layout of
// up to eight channels (ALAC tells ffmpeg which).
constexpr int kSurroundChannels = 8;
constexpr const char* kVorbisLayouts = "aformat=channel_layouts=mono|stereo|3.0|quad|5.0|5.1|6.1|7.1";
constexpr const char* kAacLayouts = "aformat=channel_layouts=mono|stereo|3.0|4.0|5.0|5.1|7.1";
constexpr const char* kFlacLayouts
    = "aformat=channel_layouts=mono|stereo|2.1|3.0|quad|4.0|5.0|5.0(side)|5.1|5.1(side)|6.1|7.1|7.1(wide)";

// A request halfway between two values goes to the lower one, as libmp3lame
// itself moves a bitrate it does not have (136 and 144 kbit/s become 128).
int Nearest(std::span<const int> allowed, int requested)
{
    int nearest = allowed.front();
    for (int value : allowed) {
        if (std::abs(value - requested) < std::abs(nearest - requested))
            nearest = value;
    }
    return nearest;
}

std::span<const int> Mp3Bitrates(int sampleRateHertz)
{
    if (sampleRateHertz >= kMpeg1LowestRate)
        return kMp3Bitrates;
    if (sampleRateHertz >= kMpeg2LowestRate)
        return kMpeg2Bitrates;
    return kMpeg25Bitrates;
}

std::span<const int> Mp2Bitrates(int sampleRateHertz)
{
    if (sampleRateHertz >= kMpeg1LowestRate)
        return kMp2Bitrates;
    return kMpeg2Bitrates;
}

} // namespace

int AudioSampleRateFor(AudioFamily family, int requestedHertz)
{
    const int requested = requestedHertz > 0 ? requestedHertz : kDefaultSampleRate;
    switch (family) {
    case AudioFamily::Mp3:
        return Nearest(kMp3Rates, requested);
    case AudioFamily::Mp2:
        return Nearest(kMp2Rates, requested);
    case AudioFamily::Ac3:
        return Nearest(kAc3Rates, requested);
    case AudioFamily::Wma:
        return Nearest(kWmaRates, requested);
    case AudioFamily::Opus:
        return Nearest(kOpusRates, requested);
    case AudioFamily::Aac:
        return Nearest(kAacRates, requested);
    case AudioFamily::Flac:
        return std::clamp(requested, kLowestSampleRate, kHighestFlacRate);
    case AudioFamily::Pcm:
    case AudioFamily::Adpcm:
    case AudioFamily::Vorbis:
    case AudioFamily::Alac:
        break;
    }
    return std::clamp(requested, kLowestSampleRate, kHighestSampleRate);
}

int AudioBitrateFor(AudioFamily family, int sampleRateHertz, int requestedKbits)
{
    switch (family) {
    case AudioFamily::Mp3:
        return Nearest(Mp3Bitrates(sampleRateHertz), requestedKbits);
    case AudioFamily::Mp2:
        return Nearest(Mp2Bitrates(sampleRateHertz), requestedKbits);
    case AudioFamily::Ac3:
        return Nearest(kAc3Bitrates, requestedKbits);
    case AudioFamily::Wma:
        return std::max(requestedKbits, kLowestWmaKbits);
    case AudioFamily::Opus:
        return std::clamp(requestedKbits, kLowestOpusKbits, kHighestOpusKbits);
    case AudioFamily::Aac:
        return requestedKbits; // the encoder keeps to what the rate allows
    case AudioFamily::Pcm:
    case AudioFamily::Adpcm:
    case AudioFamily::Flac:
    case AudioFamily::Alac:
    case AudioFamily::Vorbis:
        break;
    }
    return 0;
}

std::optional<int> AudioQualityFor(AudioFamily family, int requestedKbits)
{
    if (family != AudioFamily::Vorbis)
        return std::nullopt;
    const int kbits = Nearest(kVorbisQualityKbits, requestedKbits);
    return static_cast<int>(std::ranges::find(kVorbisQualityKbits, kbits) - kVorbisQualityKbits.begin());
}

std::optional<int> AudioChannelLimitFor(AudioFamily family, std::optional<int> kbits)
{
    switch (family) {
    case AudioFamily::Ac3:
        if (kbits && *kbits < kAc3SurroundLowestKbits)
            return kAc3StereoChannels;
        break;
    case AudioFamily::Opus:
    case AudioFamily::Vorbis:
    case AudioFamily::Aac:
    case AudioFamily::Flac:
        return kSurroundChannels;
    case AudioFamily::Pcm:
    case AudioFamily::Adpcm:
    case AudioFamily::Mp3:
    case AudioFamily::Mp2:
    case AudioFamily::Wma:
    case AudioFamily::Alac:
        break;
    }
    return std::nullopt;
}

std::optional<std::string> AudioDownmixFilterFor(AudioFamily family, std::optional<int> kbits)
{
    const std::optional<int> channels = AudioChannelLimitFor(family, kbits);
    if (!channels)
        return std::nullopt;
    if (family == AudioFamily::Opus || family == AudioFamily::Vorbis)
        return kVorbisLayouts;
    if (family == AudioFamily::Aac)
        return kAacLayouts;
    if (family == AudioFamily::Flac)
        return kFlacLayouts;
    // A list of layouts rather than "-ac": ffmpeg picks the one nearest the
    // source's, so a mono source stays mono instead of being doubled.
    return *channels >= kAc3StereoChannels ? "aformat=channel_layouts=mono|stereo"
                                           : "aformat=channel_layouts=mono";
}

} // namespace kelvara
