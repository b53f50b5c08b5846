// Starting the encoder, shared by the runner that waits for one job and the
// jobs that run side by side: the program found in the tool directory or on
// the PATH, its console on a pipe, its input on another, in a session of its
// own, and why a run failed in words.
#pragma once

#include "process/ChildProcess.h"
#include "process/Spawner.h"
#include "runner/EncoderCommand.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

// The command's words with its program resolved; nothing, with `reason`
// set, for an empty or broken command or a program that is nowhere.
std::optional<std::vector<std::string>> ResolveEncoderCommand(
    const EncoderCommand& command, const std::string& toolDirectory, std::string& reason);

// Starts `arguments` (the resolved program first) in the tool directory with
// the given standard input and output (standard error joins the output);
// -1 leaves a descriptor as it is.
SpawnResult SpawnEncoder(
    const std::vector<std::string>& arguments, const std::string& toolDirectory, int input, int output);

// Why an ended encoder failed: the last lines it wrote that are not status
// lines, else its exit status or signal.
std::string EncoderFailureReason(std::string_view outputTail, const ChildProcess& encoder);

// Keeps the last bytes of the encoder's console text, enough for the lines a
// job keeps.
void KeepOutputTail(std::string& tail, std::string_view chunk);

} // namespace kelvara
