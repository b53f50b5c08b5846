// One decoded frame: 8-bit RGB, rows from the top, no padding.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvara::tarvo {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width * height * 3 bytes

    const std::uint8_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width * 3; }
};

} // namespace kelvara::tarvo
