// The encoder command lines for still pictures, GIF animations and audio,
// written by the program itself (the device kinds take theirs from profiles).
#pragma once

#include "jobs/JobRecord.h"
#include "runner/EncoderCommand.h"

#include <string>

namespace kelvara {

class OptionSelections;

// The file the encoder reads: the intermediate file when the job has one.
const std::string& EncoderInputOf(const JobRecord& job);

EncoderCommand BuildImageCommand(
    const JobRecord& job, const std::string& outputFolder, const OptionSelections& options);
EncoderCommand BuildAudioCommand(
    const JobRecord& job, const std::string& outputFolder, int audioKind, const OptionSelections& options);

} // namespace kelvara
