// The output properties of the component, as the program last set them.
#pragma once

#include <cstdint>

namespace kelvara {

struct ConvertSettings {
    std::int32_t format = 8; // VideoEditFormat; kept raw, checked at start
    // Pixels; 0 or less keeps the source's size (AVI, MPEG-1, MPEG-2).
    int width = 320;
    int height = 240;
    int depth = 24;
    double framesPerSecond = 25.0;
    // Off: the first codec of the list, the component's default.
    bool useVideoCodec = true;
    int videoCodecIndex = 0;
    bool useAudioCodec = true;
    int audioCodecIndex = 0;
    int audioKbits = 128;
    int sampleRate = 44100;
};

} // namespace kelvara
