// The arrow buttons beside the width and height fields: ten pixels a step,
// never below 10 (a field under 20 does not step down); no upper bound.
#pragma once

#include <optional>

namespace kelvara {

inline constexpr int kFrameSizeStep = 10;

// The number the field shows after the step, or none when the step is refused.
std::optional<int> FrameSizeStepUp(int value);
std::optional<int> FrameSizeStepDown(int value);

} // namespace kelvara
