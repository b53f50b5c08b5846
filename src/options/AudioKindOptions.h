// What sets the audio kinds apart beyond their file type.
#pragma once

#include "options/OutputKind.h"

namespace kelvara {

// FLAC and ALAC keep every sample: a bitrate means nothing to them, so the
// panel hides the bitrate list and the command carries none.
constexpr bool AudioKindTakesBitrate(int audioKind)
{
    return audioKind != static_cast<int>(AudioKind::Flac) && audioKind != static_cast<int>(AudioKind::Alac);
}

} // namespace kelvara
