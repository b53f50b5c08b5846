// Times in command lines: whole seconds as hours, minutes and seconds.
#pragma once

#include <string>

namespace kelvara {

// Milliseconds as whole seconds written "hh:mm:ss"; the fraction of a second
// is dropped, the hours may grow past two digits, a negative time or one that
// is not a number reads as 0, and a time too long for any clock is held at
// the longest one.
std::string TrimTimeText(double milliseconds);

// Whole seconds written "hh:mm:ss"; a negative time reads as 0.
std::string ClockText(long long seconds);

} // namespace kelvara
