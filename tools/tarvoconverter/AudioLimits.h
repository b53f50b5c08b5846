// The sample rates and bitrates each audio encoder accepts. A request it
// cannot take is moved to the nearest value it can, so that every choice
// offered for an audio kind still gives a file instead of a failed run.
#pragma once

#include "OutputFormat.h"

#include <optional>

namespace kelvara::tarvo {

int SupportedSampleRate(AudioCodec codec, int requestedHz);

// The bitrate may depend on the sample rate (MPEG audio has other bitrates
// below 32 kHz); an unknown rate is taken as one of 32 kHz or more.
int SupportedBitrateKbps(AudioCodec codec, std::optional<int> sampleRateHz, int requestedKbps);

} // namespace kelvara::tarvo
