#include "conversions/HardwareFallback.h"

#include "conversions/JobOutcome.h"
#include "ffmpeg/HardwareCommand.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace kelvara {

namespace {

// What ffmpeg's device and card encoder messages say when the card is not
// there or not willing: "Device creation failed", "No VA display found for
// device /dev/dri/renderD128", "Cannot load libcuda.so.1", "[h264_nvenc @
// 0x...] OpenEncodeSessionEx failed", "Impossible to convert between the
// formats supported by the filter 'hwupload'".
constexpr std::array<std::string_view, 7> kCardWords
    = { "vaapi", "VAAPI", "/dev/dri/", "nvenc", "cuda", "CUDA", "hwupload" };

std::optional<double> EncodedSeconds(const ConversionContext& context, int jobIndex)
{
    if (!context.jobs.Contains(jobIndex))
        return std::nullopt;
    return context.jobs.GetAt(jobIndex).encodedSeconds;
}

} // namespace

bool CardRefusedAtStart(const RunOutcome& outcome, bool madeProgress)
{
    if (outcome.Succeeded() || outcome.stopped || !outcome.started)
        return false;
    const auto named
        = [&outcome](std::string_view word) { return outcome.reason.find(word) != std::string::npos; };
    return !madeProgress || std::ranges::any_of(kCardWords, named);
}

RunOutcome RunPreferringGraphicsCard(EncoderRunner& runner, ConversionContext& context,
    const EncoderCommand& command, int jobIndex, std::span<const UsableEncoder> card)
{
    const std::optional<std::string> onCard
        = card.empty() ? std::nullopt : WithHardwareEncoder(command, card);
    if (!onCard)
        return runner.RunEncoder(command, jobIndex);
    const std::optional<double> before = EncodedSeconds(context, jobIndex);
    RunOutcome outcome = runner.RunEncoder(*onCard, jobIndex);
    const std::optional<double> after = EncodedSeconds(context, jobIndex);
    if (context.stopFlag || !before || !after || !CardRefusedAtStart(outcome, *after > *before))
        return outcome;
    // The refused run left no output: the encoder writes it under its name
    // only when it ends well.
    KeepRunOutput(context, jobIndex,
        "The graphics card refused the job (" + outcome.reason + "); it runs with the software encoder.\n");
    return runner.RunEncoder(command, jobIndex);
}

} // namespace kelvara
