// The mobile-device conversions: the selected profile's command templates,
// filled in for the job and run one after the other.
#pragma once

#include "conversions/TemplateSubstitution.h"
#include "ffmpeg/HardwareEncoders.h"

#include "options/ProfileIni.h"

#include <functional>
#include <optional>

namespace kelvara {

struct ConversionContext;
class EncoderRunner;

// The device panel's choice at the time of the conversion.
struct DeviceChoice {
    int profilePosition = 0;
    DeviceSelections selections;
    // A profile of the user's: its lines take the place of the shipped
    // profile at `profilePosition`.
    std::optional<ProfileLines> userLines;
    // What "$TIMESTAMP" reads; asked again for each step as the step runs.
    std::function<LocalDateTime()> clock = CurrentLocalDateTime;
    // The graphics card's encoders the encoder steps use in place of the
    // software ones; empty: the software encoders, as the profile says.
    std::vector<UsableEncoder> graphicsCard;
};

void ConvertPsp(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex);
// Xbox360, Pocket PC and the video kinds of today share one procedure, a
// single encoder run; the output kind picks the file.
void ConvertXboxOrPocketPc(
    ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex);
void ConvertPmp(ConversionContext& context, EncoderRunner& runner, const DeviceChoice& choice, int jobIndex);

} // namespace kelvara
