// Times in command lines: whole seconds as hours, minutes and seconds.
#pragma once

#include <string>

namespace kelvara {

// Milliseconds to whole seconds, the fraction dropped.
int WholeSeconds(double milliseconds);

// "%02d:%02d:%02d"; the hours are not limited to two digits.
std::string HoursMinutesSeconds(int seconds);

} // namespace kelvara
