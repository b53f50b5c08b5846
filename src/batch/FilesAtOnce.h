// How many jobs of a batch convert side by side: the "Files at once"
// setting (Auto or a number) for the batch's output kind on this machine.
#pragma once

#include "options/OutputKind.h"

namespace kelvara {

// The setting's value for Auto; any other value is a number of files.
inline constexpr int kFilesAtOnceAuto = 0;

// The processor cores this process may use (at least 1).
int UsableCores();

// True for the kinds whose encoder works on one core (the audio kinds, the
// still pictures and the GIF animation): Auto gives each core a file.
bool EncoderUsesOneCore(const OutputKind& kind);

// True for the kinds a batch can run side by side: those converted by one
// encoder command of their own. The video-editing component's AVI and MPEG
// and the devices' multi-step profiles run one at a time.
bool CanConvertSideBySide(const OutputKind& kind);

// The number of jobs that run at once: 1 for a kind that cannot run side by
// side; for Auto, `cores` for a one-core encoder and 1 otherwise; else the
// setting, capped at `cores`.
int JobsAtOnce(const OutputKind& kind, int setting, int cores);

} // namespace kelvara
