// An encoder run on the graphics card, with the software encoder behind it:
// a card that refuses the job at its start (its device cannot be opened, it
// cannot take this size or profile) costs the user nothing but a moment.
#pragma once

#include "ffmpeg/HardwareEncoders.h"
#include "runner/EncoderCommand.h"

#include <span>
#include <string>

namespace kelvara {

struct ConversionContext;
class EncoderRunner;
struct RunOutcome;

// Whether a failed run on the card is worth running again in software: it
// ended before any progress, or its last lines name the card's device or
// encoder. A run the user stopped, or one that failed halfway for another
// reason, is not.
bool CardRefusedAtStart(const RunOutcome& outcome, bool madeProgress);

// Runs `command` with the first of `card` that encodes its video codec in
// place of the software encoder; when the card refuses at start, runs
// `command` itself, once, and notes why in the job's run record. Without a
// card for the codec it is the plain run of `command`.
RunOutcome RunPreferringGraphicsCard(EncoderRunner& runner, ConversionContext& context,
    const EncoderCommand& command, int jobIndex, std::span<const UsableEncoder> card);

} // namespace kelvara
