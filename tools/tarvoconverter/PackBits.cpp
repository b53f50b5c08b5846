#include "PackBits.h"

namespace kelvara::tarvo {

namespace {

constexpr std::size_t kLongestPacket = 128;

std::size_t RunLengthAt(const std::uint8_t* data, std::size_t size, std::size_t start)
{
    std::size_t length = 1;
    while (start + length < size && length < kLongestPacket && data[start + length] == data[start])
        ++length;
    return length;
}

} // namespace

void AppendPackBits(Bytes& out, const std::uint8_t* data, std::size_t size)
{
    std::size_t position = 0;
    while (position < size) {
        const std::size_t run = RunLengthAt(data, size, position);
        // Runs of two are left in literals: as a packet of their own they
        // would cost as much and break the literal up.
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(257 - run));
            out.push_back(data[position]);
            position += run;
            continue;
        }
        std::size_t literalEnd = position;
        while (literalEnd < size && literalEnd - position < kLongestPacket
            && RunLengthAt(data, size, literalEnd) < 3)
            ++literalEnd;
        out.push_back(static_cast<std::uint8_t>(literalEnd - position - 1));
        out.insert(out.end(), data + position, data + literalEnd);
        position = literalEnd;
    }
}

} // namespace kelvara::tarvo
