// ffmpeg's -progress report in pieces cut anywhere: the blocks read are the
// same as when the whole text arrives at once.
#include "FuzzFile.h"
#include "ffmpeg/ProgressReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using kelvara::ProgressSnapshot;
using kelvara::fuzz::Broken;

bool Same(const ProgressSnapshot& a, const ProgressSnapshot& b)
{
    // Bit-for-bit: the same text must give the same numbers, NaN included.
    return a.frames == b.frames && std::memcmp(&a.quality, &b.quality, sizeof a.quality) == 0
        && a.sizeBytes == b.sizeBytes && std::memcmp(&a.seconds, &b.seconds, sizeof a.seconds) == 0
        && a.timeKnown == b.timeKnown && a.finished == b.finished;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::size_t cutSeed = input.ConsumeIntegralInRange<std::size_t>(1, 64);
    const std::string text = input.ConsumeRemainingBytesAsString();

    kelvara::ProgressReader whole;
    const std::vector<ProgressSnapshot> expected = whole.Feed(text);

    kelvara::ProgressReader pieces;
    std::vector<ProgressSnapshot> read;
    for (std::size_t at = 0, step = cutSeed; at < text.size(); at += step, step = step * 7 % 61 + 1) {
        for (const ProgressSnapshot& block : pieces.Feed(std::string_view(text).substr(at, step)))
            read.push_back(block);
    }
    if (read.size() != expected.size())
        Broken("text cut into pieces gives as many blocks as the whole text");
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (!Same(read[i], expected[i]))
            Broken("text cut into pieces gives the same blocks as the whole text");
    }
    if (whole.SawEnd() != pieces.SawEnd())
        Broken("the end is seen however the text is cut");
    return 0;
}
