// Appends numbers in a fixed byte order, as file formats lay them out.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvo {

using Bytes = std::vector<std::uint8_t>;

inline void appendLe16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendLe32(Bytes& out, std::uint32_t value)
{
    appendLe16(out, value & 0xFFFFu);
    appendLe16(out, value >> 16);
}

inline void appendBe16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void appendBe32(Bytes& out, std::uint32_t value)
{
    appendBe16(out, value >> 16);
    appendBe16(out, value & 0xFFFFu);
}

inline void appendText(Bytes& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

inline void appendBytes(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

inline void putLe32At(Bytes& out, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace tarvo
