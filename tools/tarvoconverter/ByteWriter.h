// Appends numbers in a fixed byte order, as file formats lay them out.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvara::tarvo {

using Bytes = std::vector<std::uint8_t>;

inline void AppendLe16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendLe32(Bytes& out, std::uint32_t value)
{
    AppendLe16(out, value & 0xFFFFu);
    AppendLe16(out, value >> 16);
}

inline void AppendBe16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void AppendBe32(Bytes& out, std::uint32_t value)
{
    AppendBe16(out, value >> 16);
    AppendBe16(out, value & 0xFFFFu);
}

inline void AppendText(Bytes& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

inline void AppendBytes(Bytes& out, const Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

inline void PutLe32At(Bytes& out, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace kelvara::tarvo
