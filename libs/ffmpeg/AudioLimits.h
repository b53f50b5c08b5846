// The sample rates, bitrates and channel counts that ffmpeg's audio encoders
// accept. Some encoders refuse a conversion outright for a value they do not
// know (MP2 at 44 100 Hz and 40 kbit/s, AC-3 at 22 050 Hz) or fail on the
// first frame (AC-3 at 32 kbit/s with 5.1 channels), so every request is
// moved to the nearest value the encoder takes.
#pragma once

#include <optional>
#include <string>

namespace kelvara {

enum class AudioFamily { Pcm, Adpcm, Mp3, Mp2, Ac3, Wma };

// Hertz; a request of 0 or less asks for 44 100.
int AudioSampleRateFor(AudioFamily family, int requestedHertz);

// kbit/s at that sample rate; 0 for codecs without a bitrate (PCM, ADPCM).
int AudioBitrateFor(AudioFamily family, int sampleRateHertz, int requestedKbits);

// The most channels the encoder can carry at that bitrate, when it cannot
// carry all it supports.
std::optional<int> AudioChannelLimitFor(AudioFamily family, int kbits);

// An ffmpeg audio filter that lowers the channel count to what the bitrate
// allows (a downmix; a source with fewer channels keeps them), or nothing.
std::optional<std::string> AudioDownmixFilterFor(AudioFamily family, int kbits);

} // namespace kelvara
