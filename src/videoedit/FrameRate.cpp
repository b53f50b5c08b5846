#include "FrameRate.h"

#include <array>
#include <cmath>
#include <numeric>

namespace kelvara {

namespace {

constexpr std::array kMpegRates = {
    FrameRate { 24000, 1001 },
    FrameRate { 24, 1 },
    FrameRate { 25, 1 },
    FrameRate { 30000, 1001 },
    FrameRate { 30, 1 },
    FrameRate { 50, 1 },
    FrameRate { 60000, 1001 },
    FrameRate { 60, 1 },
};

// The whole rates whose NTSC variant (n × 1000/1001) is in use.
constexpr std::array kNtscBases = { 24, 30, 48, 60, 120 };

// 23.97 (as the AVI panel writes it) and 23.976 are both the film rate.
constexpr double kNtscTolerance = 0.01;

double Value(FrameRate rate)
{
    return static_cast<double>(rate.numerator) / rate.denominator;
}

} // namespace

FrameRate AviFrameRate(double framesPerSecond)
{
    if (!std::isfinite(framesPerSecond) || framesPerSecond <= 0.0)
        return {};
    for (int base : kNtscBases) {
        if (std::fabs(framesPerSecond - base * 1000.0 / 1001.0) < kNtscTolerance)
            return { base * 1000, 1001 };
    }
    // Thousandths are as fine as the panel's rates go.
    const int thousandths = static_cast<int>(std::lround(std::min(framesPerSecond, 1000.0) * 1000.0));
    if (thousandths <= 0)
        return {};
    const int divisor = std::gcd(thousandths, 1000);
    return { thousandths / divisor, 1000 / divisor };
}

FrameRate MpegFrameRate(double framesPerSecond)
{
    if (!std::isfinite(framesPerSecond) || framesPerSecond <= 0.0)
        return { 25, 1 };
    FrameRate nearest = kMpegRates.front();
    for (FrameRate rate : kMpegRates) {
        if (std::fabs(Value(rate) - framesPerSecond) < std::fabs(Value(nearest) - framesPerSecond))
            nearest = rate;
    }
    return nearest;
}

std::string FrameRateText(FrameRate rate)
{
    if (rate.denominator == 1)
        return std::to_string(rate.numerator);
    return std::to_string(rate.numerator) + "/" + std::to_string(rate.denominator);
}

} // namespace kelvara
