#include "AudioLimits.h"

#include <cstdlib>
#include <span>

namespace kelvara::tarvo {

namespace {

constexpr int kMp3Rates[] = { 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000 };
constexpr int kMp2Rates[] = { 16000, 22050, 24000, 32000, 44100, 48000 };
constexpr int kAc3Rates[] = { 32000, 44100, 48000 };
constexpr int kWmaRates[] = { 8000, 11025, 16000, 22050, 32000, 44100, 48000 };

constexpr int kMp2Bitrates[] = { 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 };
constexpr int kMp2LowRateBitrates[] = { 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160 };
constexpr int kAc3Bitrates[]
    = { 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 448, 512, 576, 640 };

// Below this rate MPEG audio uses its "low sampling frequency" tables.
constexpr int kLowSampleRateLimit = 32000;

struct CodecLimits {
    AudioCodec codec;
    std::span<const int> sampleRates; // empty: any
    std::span<const int> bitrates; // empty: any
    std::span<const int> lowRateBitrates; // empty: as bitrates
};

constexpr CodecLimits kLimits[] = {
    { AudioCodec::Mp3, kMp3Rates, {}, {} },
    { AudioCodec::Wma, kWmaRates, {}, {} },
    { AudioCodec::Wav, {}, {}, {} },
    { AudioCodec::Mp2, kMp2Rates, kMp2Bitrates, kMp2LowRateBitrates },
    { AudioCodec::Ac3, kAc3Rates, kAc3Bitrates, {} },
};

constexpr CodecLimits kNoLimits { AudioCodec::Wav, {}, {}, {} };

const CodecLimits& LimitsOf(AudioCodec codec)
{
    for (const CodecLimits& limits : kLimits) {
        if (limits.codec == codec)
            return limits;
    }
    return kNoLimits;
}

// Ties go to the higher value: a little more quality rather than less.
int nearest(std::span<const int> allowed, int requested)
{
    if (allowed.empty())
        return requested;
    int best = allowed.front();
    for (int value : allowed) {
        if (std::abs(value - requested) <= std::abs(best - requested))
            best = value;
    }
    return best;
}

} // namespace

int SupportedSampleRate(AudioCodec codec, int requestedHz)
{
    return nearest(LimitsOf(codec).sampleRates, requestedHz);
}

int SupportedBitrateKbps(AudioCodec codec, std::optional<int> sampleRateHz, int requestedKbps)
{
    const CodecLimits& limits = LimitsOf(codec);
    const bool lowRate = sampleRateHz && *sampleRateHz < kLowSampleRateLimit;
    if (lowRate && !limits.lowRateBitrates.empty())
        return nearest(limits.lowRateBitrates, requestedKbps);
    return nearest(limits.bitrates, requestedKbps);
}

} // namespace kelvara::tarvo
