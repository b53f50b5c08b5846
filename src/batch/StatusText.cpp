#include "StatusText.h"

#include "naming/TimeText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelvara {

namespace {

constexpr int kFullBar = 100;

template <typename... Args> std::string Format(const char* format, Args... args)
{
    char text[160];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

StatusCell Shown(std::string text, int position)
{
    return StatusCell { true, std::move(text), kFullBar, position };
}

// A conversion that reached 99 per cent by its own count is as good as done:
// the encoder's last report rarely lands on the trim's very end.
// A share that cannot be computed (the position already at the trim's end)
// counts as done rather than as garbage.
int RoundedPercent(double value)
{
    if (!(value < 98.5))
        return 100;
    return value <= 0.0 ? 0 : static_cast<int>(std::lround(value));
}

// The longest wait the column shows; a run that has almost stalled would
// otherwise be given a time no clock holds.
constexpr double kLongestWaitSeconds = 99 * 3600 + 59 * 60 + 59;

// The time still to wait: the media left at the speed measured so far, a
// user's "how long until it is done". "--:--:--" while no speed is known.
std::string RemainTimeText(double mediaSecondsLeft, double speed)
{
    if (!(speed > 0.0))
        return "--:--:--";
    const double wait = std::clamp(mediaSecondsLeft / speed, 0.0, kLongestWaitSeconds);
    return ClockText(std::llround(wait));
}

// AVI and MPEG: the video-editing component keeps percentDone itself.
StatusCell ComponentStatus(const JobRecord& job)
{
    if (job.positionMs - job.trimStartMs < 0.0)
        return StatusCell { false, {}, kFullBar, job.percentDone };
    if (job.percentDone >= 100)
        return Shown("100%    Finished ", job.percentDone);
    // Only a running conversion has a time to wait.
    if (job.stateIcon != JobState::Converting)
        return Shown(Format("    %d%%", job.percentDone), job.percentDone);
    const double mediaLeft = (job.trimEndMs - job.positionMs) * 0.001;
    return Shown(Format("    %d%%    Remain Time:%s", job.percentDone,
                     RemainTimeText(mediaLeft, job.encodeSpeed).c_str()),
        job.percentDone);
}

// Sources made readable through an intermediate file show two halves: the
// component's rewrite first, the encoder's run second.
StatusCell IntermediateStatus(const JobRecord& job)
{
    switch (job.stage) {
    case JobStage::MakingIntermediate: {
        const double percent = job.componentPercent > 101.0 ? 0.0 : job.componentPercent;
        return Shown(Format("    %.2f%%", percent * 0.5), static_cast<int>(percent * 0.5));
    }
    case JobStage::Encoding: {
        const int q = job.trimEndMs <= job.trimStartMs
            ? 0
            : RoundedPercent(job.encodedSeconds * 100000.0 / (job.trimEndMs - job.trimStartMs));
        if (!(job.encodedSeconds > 0.0 && job.encodedSizeKb > 0))
            return {};
        const int v = q / 2 + 50;
        return Shown(Format("    %d%%", v), v);
    }
    case JobStage::Finishing:
        return Shown("    99%", 98);
    case JobStage::FinishingLast:
        return Shown("    99%", 99);
    case JobStage::FinishingExtra:
    case JobStage::AuxiliaryRuns:
        return Shown("    98%", 99);
    case JobStage::Canceled:
        return Shown("Canceled", 0);
    default:
        return Shown("    0%", 0);
    }
}

// The encoder reads the source itself.
StatusCell EncoderStatus(const JobRecord& job)
{
    switch (job.stage) {
    case JobStage::Encoding: {
        const int q = job.trimEndMs <= job.trimStartMs
            ? 0
            : RoundedPercent(job.encodedSeconds * 100.0 / ((job.trimEndMs - job.positionMs) * 0.001));
        if (!(job.encodedSeconds > 0.0 && job.encodedSizeKb > 0))
            return {};
        const double mediaLeft = (job.trimEndMs - job.trimStartMs) * 0.001 - job.encodedSeconds;
        return Shown(
            Format("  %d%%    Remain Time:%s", q, RemainTimeText(mediaLeft, job.encodeSpeed).c_str()), q);
    }
    case JobStage::Finishing:
    case JobStage::FinishingLast:
    case JobStage::FinishingExtra:
    case JobStage::AuxiliaryRuns:
        return Shown(" 99%    Remain Time:00:00:05", 99);
    case JobStage::Canceled:
        return Shown("Canceled", 0);
    default:
        return Shown("     0%", 0);
    }
}

std::string SpanPart(double seconds)
{
    return ClockText(static_cast<long long>(std::trunc(seconds)));
}

} // namespace

StatusCell StatusOf(const JobRecord& job, const OutputKind& kind)
{
    if (job.failed)
        return Shown(kFailedStatusText, 0);
    if (kind.UsesVideoEditComponent())
        return ComponentStatus(job);
    if (job.finished == 1)
        return Shown("100%    Finished ", 100);
    if (job.NeedsIntermediateFile())
        return IntermediateStatus(job);
    return EncoderStatus(job);
}

std::string SplitSpanText(const JobRecord& job)
{
    const double start = job.trimStartMs * 0.001;
    const double end = job.trimEndMs * 0.001;
    return SpanPart(start) + "<-->" + SpanPart(end) + "|[" + SpanPart(end - start) + "]";
}

std::string FrameSizeText(const JobRecord& job)
{
    return std::to_string(job.sourceWidth) + "x" + std::to_string(job.sourceHeight);
}

} // namespace kelvara
