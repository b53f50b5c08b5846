// Times in command lines: hours, minutes, seconds and milliseconds.
#pragma once

#include "jobs/JobRecord.h"

#include <string>

namespace kelvara {

// Milliseconds written "hh:mm:ss.mmm", as ffmpeg reads a time: rounded to
// the nearest millisecond, the hours may grow past two digits, a negative
// time or one that is not a number reads as 0, and a time too long for any
// clock is held at the longest one.
std::string TrimTimeText(double milliseconds);

// True when the trim ends where the source ends: the encoder then reads to
// the end instead of being handed a length, which a probed duration can
// make a little too short.
bool TrimRunsToSourceEnd(const JobRecord& job);

// Whole seconds written "hh:mm:ss"; a negative time reads as 0.
std::string ClockText(long long seconds);

} // namespace kelvara
