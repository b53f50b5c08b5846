// Which audio frames travel with which video frame in a PMP file.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvara::pmp {

struct Timing {
    // Video: one frame lasts frameDurationNumerator / frameDurationDenominator s.
    std::int64_t frameDurationNumerator = 1001;
    std::int64_t frameDurationDenominator = 30000;
    // Audio: one frame lasts samplesPerAudioFrame / sampleRate s.
    std::int64_t samplesPerAudioFrame = 1152;
    std::int64_t sampleRate = 44100;
};

struct AudioShare {
    std::uint32_t firstFrame = 0; // position in the audio stream
    std::uint32_t frameCount = 0; // at least 1
    std::int32_t firstDelayMs = 0; // start of the first frame against the video frame
    std::int32_t lastDelayMs = 0; // start of the last frame against the video frame
};

struct InterleavePlan {
    std::vector<AudioShare> shares; // one per video frame
    // Frames past the end of the audio stream that the packets still need.
    std::uint32_t paddingFrames = 0;
    std::uint32_t mostFramesPerPacket = 0;
};

// Each video frame carries the audio frames that start before the next video
// frame starts, at least one and at most 255; audio that starts after the
// last video frame ends is left out. When the audio runs out, the remaining
// packets take padding frames (silence) so that none is without audio.
InterleavePlan PlanInterleave(std::uint32_t videoFrames, std::uint32_t audioFrames, const Timing& timing);

} // namespace kelvara::pmp
