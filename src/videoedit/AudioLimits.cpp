#include "AudioLimits.h"

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

// MPEG audio has one bitrate table for 32 kHz and above, another below.
constexpr int kMpegLowRateLimit = 32000;
constexpr std::array kMp3Bitrates = { 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320 };
constexpr std::array kMp2Bitrates = { 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };
constexpr std::array kMpegLowBitrates = { 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160 };
constexpr std::array kAc3Bitrates
    = { 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640 };

int Nearest(std::span<const int> allowed, int requested)
{
    int nearest = allowed.front();
    for (int value : allowed) {
        if (std::abs(value - requested) < std::abs(nearest - requested))
            nearest = value;
    }
    return nearest;
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
    case AudioFamily::Pcm:
    case AudioFamily::Adpcm:
        break;
    }
    return std::clamp(requested, kLowestSampleRate, kHighestSampleRate);
}

int AudioBitrateFor(AudioFamily family, int sampleRateHertz, int requestedKbits)
{
    const bool lowRate = sampleRateHertz < kMpegLowRateLimit;
    switch (family) {
    case AudioFamily::Mp3:
        return Nearest(lowRate ? std::span<const int>(kMpegLowBitrates) : kMp3Bitrates, requestedKbits);
    case AudioFamily::Mp2:
        return Nearest(lowRate ? std::span<const int>(kMpegLowBitrates) : kMp2Bitrates, requestedKbits);
    case AudioFamily::Ac3:
        return Nearest(kAc3Bitrates, requestedKbits);
    case AudioFamily::Pcm:
    case AudioFamily::Adpcm:
        break;
    }
    return 0;
}

} // namespace kelvara
