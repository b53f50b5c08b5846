// The image and audio conversions: build the command, run the encoder, and
// record in the job how the run ended.
#pragma once

#include "runner/EncoderCommand.h"

#include <optional>
#include <string>

namespace kelvara {

struct ConversionContext;
class EncoderRunner;
class OptionSelections;
struct RunOutcome;

// A job made ready for the encoder: its name taken, its command built.
struct PreparedEncoderJob {
    EncoderCommand command;
    std::string expectedOutput;
};

// Marks the job converting and takes its output name; nothing when the job
// is gone or was failed (its command would write over its source).
std::optional<PreparedEncoderJob> PrepareImage(
    ConversionContext& context, const OptionSelections& options, int jobIndex);
std::optional<PreparedEncoderJob> PrepareAudio(
    ConversionContext& context, const OptionSelections& options, int jobIndex);
// Records in the job how its encoder run ended.
void FinishEncoderJob(
    ConversionContext& context, int jobIndex, const PreparedEncoderJob& prepared, const RunOutcome& outcome);

// Both in one, waiting for the encoder while the window is serviced.

void ConvertImage(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex);
void ConvertAudio(
    ConversionContext& context, EncoderRunner& runner, const OptionSelections& options, int jobIndex);

} // namespace kelvara
