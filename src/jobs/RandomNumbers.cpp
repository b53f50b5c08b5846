#include "RandomNumbers.h"

#include "JobList.h"

namespace kelvara {

RandomNumbers::RandomNumbers()
    : m_engine(std::random_device {}())
{
}

RandomNumbers::RandomNumbers(std::uint32_t seed)
    : m_engine(seed)
{
}

std::int32_t RandomNumbers::Draw(std::int32_t low, std::int32_t high)
{
    if (high < low)
        return low;
    return std::uniform_int_distribution<std::int32_t>(low, high)(m_engine);
}

std::int32_t RandomNumbers::DrawFileNumber(const JobList& jobs)
{
    constexpr std::int32_t lowest = 10000;
    constexpr std::int32_t highest = 81000;
    // 71001 numbers against a list a person builds by hand: a free number is
    // found within a few draws; the scan guarantees an answer all the same.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::int32_t candidate = Draw(lowest, highest);
        if (!jobs.UsesFileNumber(candidate))
            return candidate;
    }
    for (std::int32_t candidate = lowest; candidate <= highest; ++candidate) {
        if (!jobs.UsesFileNumber(candidate))
            return candidate;
    }
    return Draw(lowest, highest);
}

} // namespace kelvara
