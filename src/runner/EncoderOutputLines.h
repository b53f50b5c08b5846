// The last lines of an encoder's console text, as a failed job shows them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara {

// How many of the encoder's last lines a job keeps.
inline constexpr std::size_t kKeptEncoderLines = 20;

// What becomes of the encoder's status lines among its last lines.
enum class StatusLines {
    LastOfARun, // of a run of status lines only the last one stays
    Dropped, // none stays: only what the encoder said besides its progress
};

// The last `count` lines of `text`, joined by "\n". Lines end at "\r" or
// "\n" (the encoder rewrites its status line with "\r"); empty lines are
// skipped. Keeping only the last of a run of status lines stops them from
// pushing out what the encoder said about a failure.
std::string LastEncoderLines(std::string_view text, std::size_t count = kKeptEncoderLines,
    StatusLines status = StatusLines::LastOfARun);

// Whether a line is one of the encoder's status lines ("... size= ... time= ...").
bool IsEncoderStatusLine(std::string_view line);

} // namespace kelvara
