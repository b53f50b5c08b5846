// A 32-bit millisecond tick count, as the speed computations expect; it wraps
// after about 49 days, so differences are taken as unsigned 32-bit values.
#pragma once

#include <cstdint>

namespace kelvara::platform {

std::uint32_t TickCount();

} // namespace kelvara::platform
