// The sample rates and bitrates each audio encoder accepts. Some of ffmpeg's
// encoders refuse a conversion outright for a value they do not know (MP2 at
// 22050 Hz and 224 kbit/s, AC-3 at 22050 Hz), so every request is moved to
// the nearest value the codec allows.
#pragma once

#include "videoedit/CodecCatalogue.h"

namespace kelvara {

// Hertz; a request of 0 or less asks for 44100.
int AudioSampleRateFor(AudioFamily family, int requestedHertz);

// kbit/s at that sample rate; 0 for codecs without a bitrate (PCM, ADPCM).
int AudioBitrateFor(AudioFamily family, int sampleRateHertz, int requestedKbits);

} // namespace kelvara
