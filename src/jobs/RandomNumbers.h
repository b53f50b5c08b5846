// Random numbers for file names: PSP file numbers and intermediate files.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace kelvara {

class JobList;

class RandomNumbers {
public:
    RandomNumbers();
    explicit RandomNumbers(std::uint32_t seed);

    // A number from low to high, both included, uniformly drawn; low when
    // high is below low. The generator is seeded once, never from the clock
    // per draw, so draws in the same second differ.
    std::int32_t Draw(std::int32_t low, std::int32_t high);

    // A PSP file number from 10000 to 81000 that no job of `jobs` uses yet.
    std::int32_t DrawFileNumber(const JobList& jobs);

private:
    std::mt19937 m_engine;
};

} // namespace kelvara
