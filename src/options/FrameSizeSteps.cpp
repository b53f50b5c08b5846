#include "options/FrameSizeSteps.h"

#include <limits>

namespace kelvara {

std::optional<int> FrameSizeStepUp(int value)
{
    // A field already at the end of int stays put rather than wrapping round.
    if (value > std::numeric_limits<int>::max() - kFrameSizeStep)
        return std::nullopt;
    return value + kFrameSizeStep;
}

std::optional<int> FrameSizeStepDown(int value)
{
    if (value < 2 * kFrameSizeStep)
        return std::nullopt;
    return value - kFrameSizeStep;
}

} // namespace kelvara
