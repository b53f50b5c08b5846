// The sample rates, bitrates and channel counts that ffmpeg's audio encoders
// accept. Some encoders refuse a conversion outright for a value they do not
// know (MP2 at 44 100 Hz and 40 kbit/s, AC-3 at 22 050 Hz) or fail on the
// first frame (AC-3 at 32 kbit/s with 5.1 channels), so every request is
// moved to the nearest value the encoder takes. libopus refuses a 5.1 layout
// with side channels, the AAC encoder writes it without its layout, and
// neither takes more than eight channels: their sound is brought to a layout
// they know.
#pragma once

#include <optional>
#include <string>

namespace kelvara {

enum class AudioFamily { Pcm, Adpcm, Mp3, Mp2, Ac3, Wma, Flac, Opus, Aac, Vorbis, Alac };

// Hertz; a request of 0 or less asks for 44 100.
int AudioSampleRateFor(AudioFamily family, int requestedHertz);

// kbit/s at that sample rate; 0 for codecs without a bitrate (PCM, ADPCM,
// the lossless FLAC and ALAC) and for Vorbis, which takes a quality instead.
int AudioBitrateFor(AudioFamily family, int sampleRateHertz, int requestedKbits);

// libvorbis refuses an average bitrate outside a window that moves with the
// sample rate and the channel count, which the request does not know; its
// quality scale works for every source. The quality whose nominal stereo
// bitrate is nearest the request; nothing for the other encoders.
std::optional<int> AudioQualityFor(AudioFamily family, int requestedKbits);

// The most channels the encoder can carry (at that bitrate, when one was
// asked for), when it cannot carry every layout a source may have.
std::optional<int> AudioChannelLimitFor(AudioFamily family, std::optional<int> kbits);

// An ffmpeg audio filter that brings the sound to a layout the encoder
// carries (a downmix where the bitrate or the encoder allows fewer channels;
// a source with fewer channels keeps them), or nothing.
std::optional<std::string> AudioDownmixFilterFor(AudioFamily family, std::optional<int> kbits);

} // namespace kelvara
