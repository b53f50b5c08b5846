// The one refusal every conversion shares: no step of a conversion may write
// over the job's own source file. An MP3 made from an MP3 in the output
// folder, a Pocket PC AVI made from an AVI there, a profile whose output
// name happens to be the source's: each would destroy the very file it
// reads, so the job is failed before any step runs and the source is left
// as it is.
#pragma once

#include "runner/EncoderCommand.h"

#include <string>

namespace kelvara {

inline constexpr const char* kOverwritesSourceReason = "The output would overwrite the source file.";

// True when `outputPath` exists and is the source file itself, whatever the
// spelling (links, "..", another name of the folder).
bool WouldOverwriteSource(const std::string& outputPath, const std::string& sourcePath);

// True when an argument of `command` other than an input ("-i" and its
// value) names the source file. Relative arguments are read from
// `workingDirectory`, where the command runs. A tool that only reads its
// arguments (the auxiliary checks) never names the job's source, so every
// other argument counts as something the command may write.
bool CommandWouldOverwriteSource(
    const EncoderCommand& command, const std::string& sourcePath, const std::string& workingDirectory);

} // namespace kelvara
