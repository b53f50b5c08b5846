#include "BatchDriver.h"

#include "batch/BatchOutputFolder.h"
#include "batch/CompletionMessage.h"
#include "batch/EncoderCheck.h"
#include "batch/FilesAtOnce.h"
#include "batch/StatusText.h"
#include "files/LeftoverStagedFiles.h"
#include "files/PrivateFolder.h"
#include "files/RemoveIfPresent.h"
#include "jobs/JobCreation.h"
#include "naming/OutputNaming.h"
#include "platform/ApplicationThread.h"
#include "platform/EventPump.h"
#include "platform/ShutdownService.h"
#include "platform/SleepInhibitor.h"
#include "platform/SoundPlayer.h"
#include "platform/TickCount.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderJob.h"

#include <QDir>

#include <filesystem>

namespace kelvara {

namespace {

using EncoderConverter = void (BatchConverters::*)(int jobIndex);

// The encoder's converter of each output kind; AVI and MPEG are converted by
// the video-editing component and have none. A kind of -1 stands for every
// kind of its category.
struct EncoderRoute {
    OutputCategory category;
    std::int32_t kind;
    EncoderConverter converter;
};

constexpr EncoderRoute kEncoderRoutes[] = {
    { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Image), &BatchConverters::ConvertImage },
    { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Psp), &BatchConverters::ConvertPsp },
    { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Xbox360),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::PocketPc),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Pmp), &BatchConverters::ConvertPmp },
    // The video kinds of today run their profile's one command, as the Xbox360 does.
    { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mp4),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mkv),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::WebM),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Av1),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::PhoneTablet),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::TvStick),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Web),
        &BatchConverters::ConvertXboxOrPocketPc },
    { OutputCategory::Audio, -1, &BatchConverters::ConvertAudio },
};

EncoderConverter EncoderConverterOf(const OutputKind& kind)
{
    for (const EncoderRoute& route : kEncoderRoutes) {
        if (route.category == kind.category && (route.kind == -1 || route.kind == kind.kind))
            return route.converter;
    }
    return nullptr;
}

bool SourceFileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

} // namespace

BatchDriver::BatchDriver(ConversionContext& context, BatchHost& host, BatchConverters& converters,
    platform::SoundPlayer& sound, platform::ShutdownService& shutdown, platform::SleepInhibitor& sleep)
    : m_context(context)
    , m_host(host)
    , m_converters(converters)
    , m_sound(sound)
    , m_shutdown(shutdown)
    , m_sleep(sleep)
{
}

BatchDriver::~BatchDriver() = default;

void BatchDriver::OnStart()
{
    // The loop pumps the window's events and the converters draw its rows.
    Q_ASSERT(platform::OnApplicationThread());
    if (m_converting || m_loopActive || m_context.jobs.GetSize() == 0)
        return;
    if (!BeginBatch())
        return;
    RunLoop();
    EndBatch();
}

bool BatchDriver::BeginBatch()
{
    if (TellMissingEncoder(m_host))
        return false;
    const std::string typed = m_host.OutputFolderFieldText();
    const std::optional<std::string> folder = PrepareOutputFolder(typed, QDir::homePath().toStdString());
    if (!folder) {
        m_host.ShowMessage("Set export folder firstly ", "error", MessageIcon::Error);
        return false;
    }
    if (!typed.starts_with('/'))
        m_host.ShowOutputFolder(*folder);
    m_context.outputFolder = *folder;
    m_context.reservedOutputs.clear();
    // What a killed run of ours left in this folder goes now; nothing of a
    // run still going, and nothing of the user's, is touched.
    RemoveLeftoverPrivateFolders(*folder);
    RemoveLeftoverStagedFiles(*folder);
    QueueEveryJob();
    m_host.SetOptionControlsEnabled(false);
    m_host.StopPreview();
    ShowConverting(true);
    m_loopActive = true;
    m_sleep.KeepAwake();
    m_converters.ClearComponentBusy();
    m_context.stopFlag = false;
    m_summary = {};
    return true;
}

namespace {

// A job whose last run finished and whose file is still there, in the
// folder the batch writes to, needs no run; a new folder gets every file.
bool FinishedWithItsOutput(const JobRecord& job, const std::string& outputFolder)
{
    std::error_code error;
    const bool inFolder = job.outputPath.starts_with(outputFolder)
        && job.outputPath.find('/', outputFolder.size()) == std::string::npos;
    return job.stateIcon == JobState::Done && !job.failed && inFolder
        && std::filesystem::is_regular_file(job.outputPath, error);
}

} // namespace

// START converts what is left: the stopped, failed and queued jobs, and a
// finished one whose file is gone or in another folder. With nothing left,
// the whole list again.
void BatchDriver::QueueEveryJob()
{
    bool anyLeft = false;
    for (int i = 0; i < m_context.jobs.GetSize(); ++i)
        anyLeft = anyLeft || !FinishedWithItsOutput(m_context.jobs.GetAt(i), m_context.outputFolder);
    for (int i = 0; i < m_context.jobs.GetSize(); ++i) {
        if (anyLeft && FinishedWithItsOutput(m_context.jobs.GetAt(i), m_context.outputFolder))
            continue;
        m_context.jobs.ResetProgress(i);
        m_context.view.RedrawCell(i, JobColumn::Status);
        m_context.view.RedrawCell(i, JobColumn::Icon);
    }
}

void BatchDriver::ShowConverting(bool converting)
{
    m_converting = converting;
    m_host.ShowConvertingButtons(converting);
}

void BatchDriver::RunLoop()
{
    // The count is read again before each job: the list is the dialog's,
    // and the converters service the window between their steps. So are
    // the kind and the setting: a kind that converts one file at a time
    // waits until the jobs running side by side have ended.
    const int cores = UsableCores();
    for (int i = 0; i < m_context.jobs.GetSize() && !m_context.stopFlag; ++i) {
        if (m_context.jobs.GetAt(i).stateIcon != JobState::Queued)
            continue;
        const OutputKind kind = m_host.SelectedOutputKind();
        const int atOnce = JobsAtOnce(kind, m_filesAtOnce, cores);
        WaitUntilRunning(static_cast<std::size_t>(atOnce - 1));
        if (m_context.stopFlag)
            break;
        if (atOnce > 1)
            StartSideBySide(i, kind);
        else if (ConvertJob(i) == Next::EndLoop)
            break;
    }
    WaitUntilRunning(0);
}

void BatchDriver::WaitUntilRunning(std::size_t count)
{
    CollectEndedJobs();
    while (m_sideBySide.size() > count) {
        platform::WaitForActivity({}, platform::kWaitSliceMs);
        CollectEndedJobs();
    }
}

void BatchDriver::StartSideBySide(int index, const OutputKind& kind)
{
    const JobRecord job = m_context.jobs.GetAt(index);
    m_host.SelectRow(index);
    if (!SourceFileExists(job.sourcePath))
        return; // skipped silently; the job stays queued
    m_context.currentJob = index;
    m_host.EnsureRowVisible(index);
    m_context.outputKind = kind;
    ++m_summary.attempted;
    m_context.jobs.Update(index, [](JobRecord& started) { started.run.Start(RunRecord::Clock::now()); });
    m_context.startTick = platform::TickCount();
    if (job.NeedsIntermediateFile()) {
        // The component makes it while the running jobs go on.
        const bool ready = m_converters.MakeIntermediateFile(index);
        if (m_context.stopFlag)
            return;
        if (!ready) {
            ++m_summary.failed;
            return;
        }
    }
    std::optional<PreparedEncoderJob> prepared = m_converters.PrepareEncoderJob(index);
    if (m_context.stopFlag)
        return; // stopped as it was made ready: the stop has marked it
    if (!prepared) {
        RecordOutcome(index);
        return;
    }
    auto run = std::make_unique<EncoderJob>(m_context, index);
    if (!run->Start(prepared->command)) {
        m_converters.FinishEncoderJob(index, *prepared, run->Outcome());
        RecordOutcome(index);
        return;
    }
    m_sideBySide.push_back({ std::move(run), std::move(*prepared) });
}

void BatchDriver::CollectEndedJobs()
{
    for (auto it = m_sideBySide.begin(); it != m_sideBySide.end();) {
        if (!it->run->Ended()) {
            ++it;
            continue;
        }
        const int index = it->run->JobIndex();
        const RunOutcome outcome = it->run->Outcome();
        m_converters.FinishEncoderJob(index, it->prepared, outcome);
        if (!outcome.stopped)
            RecordOutcome(index);
        it = m_sideBySide.erase(it);
    }
}

BatchDriver::Next BatchDriver::ConvertJob(int index)
{
    const JobRecord job = m_context.jobs.GetAt(index);
    if (job.stateIcon != JobState::Queued)
        return Next::NextJob;
    m_host.SelectRow(index);
    if (!SourceFileExists(job.sourcePath))
        return Next::NextJob; // skipped silently; the job stays queued
    m_context.currentJob = index;
    m_host.EnsureRowVisible(index);

    const OutputKind kind = m_host.SelectedOutputKind();
    m_context.outputKind = kind;
    const std::string basePath = m_context.outputFolder + BaseNameOf(job.sourcePath);
    ++m_summary.attempted;
    // The run's record starts here, before a source's intermediate step.
    m_context.jobs.Update(index, [](JobRecord& started) { started.run.Start(RunRecord::Clock::now()); });
    if (kind.UsesVideoEditComponent()) {
        ConvertThroughComponent(index, kind, basePath);
        return Next::NextJob;
    }
    return ConvertThroughEncoder(index, kind);
}

void BatchDriver::ConvertThroughComponent(int index, const OutputKind& kind, const std::string& basePath)
{
    const std::string outputPath = NumberedOutputPath(basePath, kind.Is(PcKind::Mpeg) ? ".mpg" : ".avi",
        m_context.reservedOutputs, m_context.jobs.GetAt(index).partialOutputs);
    m_context.reservedOutputs.insert(outputPath);
    m_converters.ConvertWithVideoEdit(index, outputPath);
    if (m_context.stopFlag && m_context.jobs.Contains(index))
        m_context.jobs.Update(index, [&outputPath](JobRecord& job) { job.partialOutputs = { outputPath }; });
    if (!m_context.stopFlag && m_context.jobs.GetAt(index).failed)
        ++m_summary.failed;
}

BatchDriver::Next BatchDriver::ConvertThroughEncoder(int index, const OutputKind& kind)
{
    m_context.startTick = platform::TickCount();
    const bool intermediate = m_context.jobs.GetAt(index).NeedsIntermediateFile();
    if (intermediate) {
        const bool ready = m_converters.MakeIntermediateFile(index);
        if (m_context.stopFlag)
            return Next::EndLoop;
        if (!ready) {
            // The component could not make it: the job is failed with its
            // reason, and the encoder would have nothing to read.
            ++m_summary.failed;
            return Next::NextJob;
        }
    }
    CallEncoderConverter(index, kind);
    if (m_context.stopFlag)
        return Next::EndLoop;
    if (intermediate)
        RemoveIfPresent(m_context.jobs.GetAt(index).intermediatePath);
    RecordOutcome(index);
    return Next::NextJob;
}

void BatchDriver::CallEncoderConverter(int index, const OutputKind& kind)
{
    if (const EncoderConverter converter = EncoderConverterOf(kind))
        (m_converters.*converter)(index);
}

void BatchDriver::RecordOutcome(int index)
{
    if (!m_context.jobs.Contains(index))
        return;
    if (m_context.jobs.GetAt(index).failed) {
        // A job that could not be converted is not "Finished".
        ++m_summary.failed;
        return;
    }
    m_context.UpdateJob(index, [](JobRecord& job) { job.finished = 1; }, { JobColumn::Status });
}

void BatchDriver::EndBatch()
{
    m_summary.stopped = m_context.stopFlag;
    ShowConverting(false);
    m_host.SetOptionControlsEnabled(true);
    m_loopActive = false;
    // Released before the power-off, which our own lock would hold up.
    m_sleep.Release();
    if (m_context.jobs.Contains(m_context.currentJob)) {
        m_host.SelectRow(m_context.currentJob);
        m_host.ShowOptionsOfJob(m_context.currentJob);
    }
    // The user stopped the work: no sound, no message, no power-off.
    if (m_summary.stopped)
        return;
    if (m_host.ShutdownWhenFinished())
        ShutdownComputer();
    else
        AnnounceEnd();
}

void BatchDriver::AnnounceEnd()
{
    m_sound.Play(QString::fromLatin1(kCompletionSound), true);
    const CompletionMessage message = CompletionMessageOf(m_summary.failed, m_summary.attempted);
    m_host.AnnounceOnDesktop(message.text, message.title);
    m_host.ShowMessage(message.text, message.title, message.icon);
}

void BatchDriver::ShutdownComputer()
{
    if (!m_host.ConfirmShutdownCountdown())
        return;
    if (!m_shutdown.PowerOff())
        m_host.ShowMessage("Can't turn off the computer.", "Warning", MessageIcon::Error);
}

void BatchDriver::OnStop()
{
    // A second STOP while the batch unwinds has nothing left to stop.
    if (!m_converting || m_context.stopFlag)
        return;
    const OutputKind kind = m_host.SelectedOutputKind();
    m_context.outputKind = kind;
    RecordStop(m_context.currentJob, kind);
    StopSideBySideJobs(kind);
    if (!kind.UsesVideoEditComponent()) {
        m_converters.StopEncoderJob();
        return;
    }
    m_context.stopFlag = true;
    ShowConverting(false);
    m_host.SetOptionControlsEnabled(true);
    m_context.UpdateJob(m_context.currentJob, [](JobRecord& job) { job.stateIcon = JobState::Stopped; },
        { JobColumn::Icon, JobColumn::SourceVideo, JobColumn::SplitSpan, JobColumn::FrameSize,
            JobColumn::OutType, JobColumn::Status });
}

// Every job running side by side stops as one running alone does: marked
// stopped with its percentage, its encoder asked to finish a playable part.
// The jobs not started stay queued.
void BatchDriver::StopSideBySideJobs(const OutputKind& kind)
{
    if (!m_sideBySide.empty())
        m_context.stopFlag = true;
    for (SideBySideJob& running : m_sideBySide) {
        if (running.run->Ended())
            continue; // finished before the stop: collected as it ended
        const int index = running.run->JobIndex();
        RecordStop(index, kind);
        JobRecord job;
        m_context.UpdateJob(index,
            [&job](JobRecord& stopped) {
                stopped.stateIcon = JobState::Stopped;
                job = stopped;
            },
            { JobColumn::Icon });
        running.run->Stop();
        if (job.NeedsIntermediateFile())
            RemoveIfPresent(job.intermediatePath);
    }
}

// Every STOP comes here, the encoder's and the component's: the job's run
// ends with the percentage its Status column shows at this moment.
void BatchDriver::RecordStop(int index, const OutputKind& kind)
{
    m_context.jobs.Update(index, [&kind](JobRecord& job) {
        if (job.run.Ended())
            return;
        job.run.Stop(StatusOf(job, kind).progressPos, RunRecord::Clock::now());
    });
}

} // namespace kelvara
