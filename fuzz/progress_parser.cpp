// The encoder's status text as the runner reads it, in chunks cut anywhere,
// into a job read from an intermediate file or from its source.
#include "FuzzFile.h"
#include "runner/ProgressParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

using kelvara::fuzz::Broken;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    kelvara::JobRecord job;
    job.isVob = input.ConsumeBool() ? 1 : 0;
    job.trimStartMs = input.ConsumeFloatingPoint<double>();
    job.trimEndMs = input.ConsumeFloatingPoint<double>();
    const std::uint32_t startTick = input.ConsumeIntegral<std::uint32_t>();
    std::uint32_t nowTick = startTick;
    while (input.remaining_bytes() > 0) {
        nowTick += input.ConsumeIntegralInRange<std::uint32_t>(0, 100000);
        const std::string chunk = input.ConsumeRandomLengthString(512);
        kelvara::ParseProgressChunk(chunk, job, nowTick, startTick);
        if (!std::isfinite(job.encodedSeconds) || !std::isfinite(job.encodeRate))
            Broken("the encoded time and rate stay finite");
    }
    return 0;
}
