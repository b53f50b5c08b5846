// Reads the encoder's status text ("size=     123kB time=12.34 ...") into a job.
#pragma once

#include "jobs/JobRecord.h"
#include "runner/EncodeSpeed.h"

#include <cstdint>
#include <string_view>

namespace kelvara {

// Parses one chunk of console text as it was read, without joining it to
// the chunks before it: a token split between two reads is not seen. Only the
// first "size=" and "time=" count, and only with enough text after them (13
// and 9 characters from the token on). Returns true when the encoder should
// be asked to quit: a job read from its intermediate file has reached its
// trimmed length (the intermediate file may run longer than the trim).
bool ParseProgressChunk(
    std::string_view chunk, JobRecord& job, std::uint32_t nowTick, std::uint32_t startTick);
// The same, and each time read is a sample of the run's `speed`, which the
// job keeps as its encodeSpeed.
bool ParseProgressChunk(std::string_view chunk, JobRecord& job, std::uint32_t nowTick,
    std::uint32_t startTick, EncodeSpeed& speed);

} // namespace kelvara
