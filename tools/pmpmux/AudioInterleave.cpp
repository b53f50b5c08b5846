#include "AudioInterleave.h"

#include "PmpFormat.h"

#include <algorithm>
#include <cmath>

namespace kelvara::pmp {

namespace {

// The number of audio frames that start before video frame `videoFrame`
// starts: frames j with j * audioDuration < videoFrame * videoDuration.
std::int64_t AudioFramesBefore(std::int64_t videoFrame, const Timing& timing)
{
    const std::int64_t numerator = videoFrame * timing.frameDurationNumerator * timing.sampleRate;
    const std::int64_t denominator = timing.frameDurationDenominator * timing.samplesPerAudioFrame;
    return (numerator + denominator - 1) / denominator;
}

std::int32_t DelayMs(std::int64_t audioFrame, std::int64_t videoFrame, const Timing& timing)
{
    const double audioStart = static_cast<double>(audioFrame * timing.samplesPerAudioFrame)
        / static_cast<double>(timing.sampleRate);
    const double videoStart = static_cast<double>(videoFrame * timing.frameDurationNumerator)
        / static_cast<double>(timing.frameDurationDenominator);
    return static_cast<std::int32_t>(std::lround((audioStart - videoStart) * 1000.0));
}

} // namespace

InterleavePlan PlanInterleave(std::uint32_t videoFrames, std::uint32_t audioFrames, const Timing& timing)
{
    InterleavePlan plan;
    std::int64_t taken = 0;
    for (std::uint32_t i = 0; i < videoFrames; ++i) {
        const std::int64_t due = AudioFramesBefore(static_cast<std::int64_t>(i) + 1, timing) - taken;
        const std::int64_t count
            = std::clamp<std::int64_t>(due, 1, static_cast<std::int64_t>(kMostAudioFramesPerPacket));
        AudioShare share;
        share.firstFrame = static_cast<std::uint32_t>(taken);
        share.frameCount = static_cast<std::uint32_t>(count);
        share.firstDelayMs = DelayMs(taken, i, timing);
        share.lastDelayMs = DelayMs(taken + count - 1, i, timing);
        plan.shares.push_back(share);
        plan.mostFramesPerPacket = std::max(plan.mostFramesPerPacket, share.frameCount);
        taken += count;
    }
    if (taken > audioFrames)
        plan.paddingFrames = static_cast<std::uint32_t>(taken - audioFrames);
    return plan;
}

} // namespace kelvara::pmp
