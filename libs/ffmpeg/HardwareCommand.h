// A filled-in encoder command moved from the software video encoder to a
// graphics card's: the encoder, its device, the upload of the frames and
// the quality setting in the card's terms. Options only the software
// encoder knows are left out; everything else stays as the profile wrote it.
#pragma once

#include "HardwareEncoders.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kelvara {

// The codec of a software encoder that a card can stand in for.
std::optional<VideoCodec> CodecOfSoftwareEncoder(std::string_view encoder);

// The command for the first of `usable` that encodes the codec of the
// command's software video encoder (-c:v, -vcodec or -codec:v after the
// input); nothing when there is none, when the command cannot be read, or
// when it builds a filter graph of its own that the upload could not join.
std::optional<std::string> WithHardwareEncoder(
    std::string_view command, std::span<const UsableEncoder> usable);

} // namespace kelvara
