// What the muxer needs to know of MPEG audio frames.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::pmp {

// The number of samples in a frame, from the frame's 4-byte header; nothing
// when `frame` does not start with an MPEG audio frame header.
std::optional<std::uint32_t> SamplesPerMpegAudioFrame(std::string_view frame);

// A frame of the same size and kind as `model` that decodes to silence: the
// header without its CRC flag and nothing but zeros after it, so every
// granule codes no spectral values.
std::string SilentMpegAudioFrame(std::string_view model);

// True for a frame made by SilentMpegAudioFrame.
bool IsSilentMpegAudioFrame(std::string_view frame);

} // namespace kelvara::pmp
