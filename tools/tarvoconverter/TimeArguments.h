// Reading and writing the time values of the command line (-ss, -t).
#pragma once

#include <optional>
#include <string_view>

namespace kelvara::tarvo {

// Accepts "hh:mm:ss", "mm:ss" (each with an optional fraction, hours of any
// length) and plain seconds such as "83" or "0.001". Negative or malformed
// texts give nothing.
std::optional<double> ParseTimeText(std::string_view text);

} // namespace kelvara::tarvo
