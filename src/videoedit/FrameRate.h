// Frame rates as ffmpeg takes them: exact fractions, so that 29.97 is written
// as the NTSC rate 30000/1001 and not as a rounded decimal.
#pragma once

#include <string>

namespace kelvara {

struct FrameRate {
    int numerator = 25;
    int denominator = 1;

    bool operator==(const FrameRate&) const = default;
};

// Any rate an AVI file can hold; rates within a hair of an NTSC rate (23.97,
// 29.97, 59.94 ...) become that exact rate.
FrameRate AviFrameRate(double framesPerSecond);

// MPEG-1 and MPEG-2 video allow eight rates only: the nearest of them.
FrameRate MpegFrameRate(double framesPerSecond);

// "25" or "30000/1001", as ffmpeg's -r reads it.
std::string FrameRateText(FrameRate rate);

} // namespace kelvara
