#include "VideoEditConversions.h"

#include "conversions/JobOutcome.h"
#include "files/RemoveIfPresent.h"
#include "jobs/RandomNumbers.h"
#include "naming/OutputNaming.h"
#include "options/OptionSelections.h"
#include "platform/ApplicationThread.h"
#include "platform/EventPump.h"
#include "platform/TickCount.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderOutputLines.h"
#include "videoedit/VideoEditControl.h"

#include <QtGlobal>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr std::int16_t kIntermediateWidth = 320;
constexpr std::int16_t kIntermediateHeight = 240;
constexpr std::int16_t kDepth = 24;
constexpr float kMpegIntermediateFrameRate = 23.976f;
constexpr float kAviIntermediateFrameRate = 25.0f;
// A still picture needs one second of its source, from the trim start on.
constexpr double kStillPictureSeconds = 1.0;

bool IsStillPicture(const ConversionContext& context, const OptionSelections& options)
{
    return context.outputKind.Is(PcKind::Image) && options.PictureTypePosition() != 0;
}

} // namespace

double LeadingNumberOf(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    double value = 0.0;
    std::from_chars(text.data() + start, text.data() + text.size(), value, std::chars_format::fixed);
    return value;
}

int FindCodec(const CodecList& codecs, const std::string& preferred, const std::string& fallback)
{
    int preferredIndex = -1;
    int fallbackIndex = -1;
    for (std::int16_t i = 0; i < codecs.Count(); ++i) {
        const std::string name = codecs.Item(i);
        if (name.find(preferred) != std::string::npos)
            preferredIndex = i;
        if (name.find(fallback) != std::string::npos)
            fallbackIndex = i;
    }
    return preferredIndex >= 0 ? preferredIndex : fallbackIndex;
}

VideoEditConversions::VideoEditConversions(ConversionContext& context, VideoEditControl& component,
    const OptionSelections& options, RandomNumbers& numbers)
    : m_context(context)
    , m_component(component)
    , m_options(options)
    , m_numbers(numbers)
{
}

void VideoEditConversions::SetUpIntermediate(bool mpeg, int videoCodec, int audioCodec)
{
    m_component.ClearClips();
    m_component.SetOutputWidth(kIntermediateWidth);
    m_component.SetOutputHeight(kIntermediateHeight);
    m_component.SetOutputDepth(kDepth);
    if (mpeg) {
        m_component.SetOutputFrameRate(kMpegIntermediateFrameRate);
        m_component.SetOutputFormat(static_cast<std::int32_t>(VideoEditFormat::Mpeg1Standard));
        return;
    }
    m_component.SetOutputFrameRate(kAviIntermediateFrameRate);
    m_component.SetOutputFormat(static_cast<std::int32_t>(VideoEditFormat::Avi));
    m_component.SetUseVideoCodec(true);
    m_component.SetVideoCodecIndex(static_cast<std::int16_t>(videoCodec));
    m_component.SetUseAudioCodec(true);
    m_component.SetAudioCodecIndex(static_cast<std::int16_t>(audioCodec));
}

bool VideoEditConversions::MakeIntermediateFile(int jobIndex)
{
    // The wait below, and the component's events, follow the current job.
    Q_ASSERT(jobIndex == m_context.currentJob);
    const int videoCodec = FindCodec(m_component.VideoCodecs(), "Microsoft MPEG-4 Video Codec V3", "DivX");
    const int audioCodec = FindCodec(m_component.AudioCodecs(), "MPEG Layer-3", "PCM");
    const bool mpeg = videoCodec < 0 || audioCodec < 0;
    if (!m_context.jobs.Contains(jobIndex))
        return false;
    m_context.jobs.Update(
        jobIndex, [](JobRecord& started) { started.run.StartUnlessGoing(RunRecord::Clock::now()); });
    SetUpIntermediate(mpeg, videoCodec, audioCodec);

    const JobRecord job = m_context.jobs.GetAt(jobIndex);
    const double start = job.trimStartMs * 0.001;
    const double end
        = IsStillPicture(m_context, m_options) ? start + kStillPictureSeconds : job.trimEndMs * 0.001;
    m_component.AddClipEx(job.sourcePath, start, end, 0);
    m_component.AddClip(job.sourcePath, start, end);

    std::string reason;
    const std::string path = ReserveIntermediatePath(job.titleCopy, mpeg, reason);
    if (path.empty()) {
        MarkJobFailed(m_context, jobIndex,
            "The video-editing component cannot make the intermediate file of " + job.sourcePath + ": "
                + reason + ".");
        return false;
    }
    m_context.UpdateJob(jobIndex,
        [&path](JobRecord& changed) {
            changed.intermediatePath = path;
            changed.stage = JobStage::MakingIntermediate;
            changed.componentDone = 0;
        },
        { JobColumn::Status });

    m_context.startTick = platform::TickCount();
    if (const ConvertStart start = m_component.StartConvert(path); !start) {
        RemoveIfPresent(path);
        MarkJobFailed(m_context, jobIndex,
            "The video-editing component cannot make the intermediate file of " + job.sourcePath + ": "
                + start.Reason() + ".");
        return false;
    }
    WaitForIntermediate();
    if (m_context.stopFlag) {
        // What the component wrote so far is no output of the user's: the
        // stop must not keep it, even when it plays.
        m_component.StopConvertDiscardingOutput();
        RemoveIfPresent(path);
        KeepComponentOutput(jobIndex);
        return false;
    }
    FinishIntermediate(jobIndex);
    return m_context.jobs.Contains(jobIndex) && !m_context.jobs.GetAt(jobIndex).failed;
}

// The path is new, made by this call (O_EXCL): the component then writes
// over a file of our own, never over one that was there, and removing it
// later removes only what this run made.
std::string VideoEditConversions::ReserveIntermediatePath(
    const std::string& titleCopy, bool mpeg, std::string& reason)
{
    constexpr int attempts = 64;
    const std::string folder = IntermediateFolder();
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::string path = IntermediatePath(folder, titleCopy, m_numbers.Draw(10000, 50000), mpeg);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        reason = std::strerror(errno);
        if (errno != EEXIST)
            break;
    }
    return {};
}

void VideoEditConversions::WaitForIntermediate()
{
    while (!m_context.stopFlag) {
        if (!m_context.jobs.Contains(m_context.currentJob)
            || m_context.jobs.GetAt(m_context.currentJob).componentDone == 1)
            return;
        platform::WaitForActivity({}, platform::kWaitSliceMs);
    }
}

void VideoEditConversions::FinishIntermediate(int jobIndex)
{
    KeepComponentOutput(jobIndex);
    const JobRecord job = m_context.jobs.GetAt(jobIndex);
    std::string failure;
    if (!m_component.LastConvertSucceeded())
        failure = m_component.LastConvertError().empty() ? "The conversion failed."
                                                         : m_component.LastConvertError();
    else if (!FileHasContent(job.intermediatePath))
        failure = "The video-editing component wrote no intermediate file.";
    if (failure.empty())
        return;
    RemoveIfPresent(job.intermediatePath);
    MarkJobFailed(m_context, jobIndex, failure);
}

void VideoEditConversions::SetUpAvi(const std::string& frameRateText)
{
    m_component.SetOutputFrameRate(static_cast<float>(LeadingNumberOf(frameRateText)));
    m_component.SetOutputFormat(static_cast<std::int32_t>(VideoEditFormat::Avi));
    m_component.SetVideoCodecIndex(static_cast<std::int16_t>(m_options.AviVideoCodecPosition()));
}

void VideoEditConversions::SetUpMpeg()
{
    m_component.SetOutputAudioBitrate(
        static_cast<std::int32_t>(LeadingNumberOf(m_options.MpegAudioBitrateText())));
    m_component.SetOutputSampleRate(
        static_cast<std::int32_t>(LeadingNumberOf(m_options.MpegSampleRateText())));
    const float frameRate = static_cast<float>(LeadingNumberOf(m_options.MpegFrameRateText()));
    m_component.SetOutputFrameRate(frameRate);
    const int type = m_options.MpegTypePosition();
    m_component.SetOutputFormat(type);
    // Choosing a format may load that format's own frame rate; the two
    // MPEG standards take the panel's rate, so it is set again after it.
    if (type == static_cast<int>(VideoEditFormat::Mpeg1Standard)
        || type == static_cast<int>(VideoEditFormat::Mpeg2Standard))
        m_component.SetOutputFrameRate(frameRate);
}

bool VideoEditConversions::ConvertWithVideoEdit(int jobIndex, const std::string& outputPath)
{
    if (!m_context.jobs.Contains(jobIndex))
        return false;
    // An output that is the source is refused by the component itself; the
    // batch never asks for one, since it numbers AVI and MPEG outputs past
    // every existing file.
    const JobRecord job = m_context.jobs.GetAt(jobIndex);
    const bool original = m_options.UseOriginalSize();
    m_component.SetOutputWidth(static_cast<std::int16_t>(original ? job.sourceWidth : job.outputWidth));
    m_component.SetOutputHeight(static_cast<std::int16_t>(original ? job.sourceHeight : job.outputHeight));
    m_component.SetOutputDepth(kDepth);
    if (m_context.outputKind.Is(PcKind::Avi)) {
        SetUpAvi(m_options.AviFrameRateText());
        if (job.aviAudioCodec != -1)
            m_component.SetAudioCodecIndex(static_cast<std::int16_t>(m_options.AviAudioCodecPosition()));
    } else {
        SetUpMpeg();
    }
    m_component.ClearClips();
    m_component.AddClipEx(job.sourcePath, job.trimStartMs * 0.001, job.trimEndMs * 0.001, 0);
    m_component.AddClip(job.sourcePath, job.trimStartMs * 0.001, job.trimEndMs * 0.001);

    m_componentBusy = true;
    MarkJobConverting(m_context, jobIndex);
    if (const ConvertStart start = m_component.StartConvert(outputPath); !start) {
        m_componentBusy = false;
        MarkJobFailed(m_context, jobIndex,
            "The video-editing component cannot convert " + job.sourcePath + " into " + outputPath + ": "
                + start.Reason() + ".");
        return false;
    }
    while (m_componentBusy) {
        if (m_context.stopFlag) {
            m_componentBusy = false;
            m_component.StopConvert();
            break;
        }
        platform::WaitForActivity({}, platform::kWaitSliceMs);
    }
    FinishComponentJob(jobIndex, outputPath);
    return true;
}

void VideoEditConversions::FinishComponentJob(int jobIndex, const std::string& outputPath)
{
    KeepComponentOutput(jobIndex);
    if (m_context.stopFlag) {
        // A stopped job stays stopped, with the percentage it reached.
        m_context.UpdateJob(
            jobIndex, [](JobRecord& job) { job.stateIcon = JobState::Stopped; }, { JobColumn::Icon });
        return;
    }
    std::string failure;
    if (!m_component.LastConvertSucceeded())
        failure = m_component.LastConvertError().empty() ? "The conversion failed."
                                                         : m_component.LastConvertError();
    else if (!FileHasContent(outputPath))
        failure = "The video-editing component wrote no output file.";
    if (!failure.empty()) {
        MarkJobFailed(m_context, jobIndex, failure);
        return;
    }
    MarkJobDone(m_context, jobIndex, DoneStatus::FullPercentage, outputPath);
}

void VideoEditConversions::KeepComponentOutput(int jobIndex)
{
    KeepRunOutput(m_context, jobIndex, LastEncoderLines(m_component.LastConvertOutput()));
}

void VideoEditConversions::OnVideoEditComplete()
{
    if (m_context.outputKind.UsesVideoEditComponent()) {
        m_componentBusy = false;
        return;
    }
    m_component.StopConvert();
    m_context.jobs.Update(m_context.currentJob, [](JobRecord& job) {
        job.componentDone = 1;
        job.stage = JobStage::Encoding;
    });
}

void VideoEditConversions::OnVideoEditProgress(double position, double total)
{
    // The component's events reach us from the event loop the waits pump.
    Q_ASSERT(platform::OnApplicationThread());
    const int index = m_context.currentJob;
    // Each job, and each intermediate step, starts the clock anew.
    if (m_speed.StartTick() != m_context.startTick)
        m_speed.Restart(m_context.startTick);
    const double speed = m_speed.Sample(position, platform::TickCount());
    if (m_context.outputKind.UsesVideoEditComponent()) {
        m_context.UpdateJob(index,
            [&](JobRecord& job) {
                job.percentDone = total == 0.0 ? 0 : static_cast<int>(std::lround(position * 100.0 / total));
                job.positionMs = job.trimStartMs + position * 1000.0;
                job.encodeSpeed = speed;
            },
            { JobColumn::Status });
        return;
    }
    std::string intermediatePath;
    const bool updated = m_context.UpdateJob(index,
        [&](JobRecord& job) {
            job.componentPosition = position;
            job.componentPercent = total == 0.0 ? 0.0 : position * 100.0 / total;
            job.componentRemaining = speed > 0.0 ? (total - position) / speed : total - position;
            intermediatePath = job.intermediatePath;
        },
        { JobColumn::Status });
    if (updated && m_context.stopFlag) {
        m_component.StopConvertDiscardingOutput();
        RemoveIfPresent(intermediatePath);
    }
}

} // namespace kelvara
