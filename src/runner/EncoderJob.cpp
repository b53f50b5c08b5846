#include "EncoderJob.h"

#include "platform/BackgroundStop.h"
#include "platform/TickCount.h"
#include "process/Spawner.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderLaunch.h"
#include "runner/EncoderOutputLines.h"
#include "runner/ProgressParser.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kelvara {

namespace {

// The chunk the progress parser reads, as the waiting runner reads it.
constexpr std::size_t kChunkBytes = 255;
// After its output ends an encoder only has to exit; one that has not
// after this long is stopped through the stop policy.
constexpr int kExitGraceMs = 5000;

} // namespace

EncoderJob::EncoderJob(ConversionContext& context, int jobIndex)
    : m_context(context)
    , m_jobIndex(jobIndex)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (!m_stop)
            m_stop = std::make_unique<ProcessStop>(
                m_encoder, StopRequest::ByQuitKey(std::move(m_inputWriter), kSupervisorStopGracePeriod));
        AdvanceStop();
    });
}

EncoderJob::~EncoderJob()
{
    m_outputNotifier.reset();
    m_exitNotifier.reset();
    m_stop.reset();
    if (m_encoder.IsRunning())
        platform::StopInBackground(std::move(m_encoder),
            StopRequest::ByQuitKey(std::move(m_inputWriter), kSupervisorStopGracePeriod));
}

bool EncoderJob::Start(const EncoderCommand& command)
{
    std::optional<std::vector<std::string>> arguments
        = ResolveEncoderCommand(command, m_context.toolDirectory, m_outcome.reason);
    std::optional<PipeEnds> output = arguments ? CreatePipe() : std::nullopt;
    std::optional<PipeEnds> input = output ? CreatePipe() : std::nullopt;
    if (arguments && !input)
        m_outcome.reason = "Cannot create the pipes to the encoder: " + std::string(std::strerror(errno));
    if (!input) {
        m_ended = true;
        return false;
    }
    SpawnResult started
        = SpawnEncoder(*arguments, m_context.toolDirectory, input->readEnd.Get(), output->writeEnd.Get());
    if (!started.Started()) {
        m_outcome.reason = "Cannot start " + arguments->front() + ": " + std::strerror(started.error);
        m_ended = true;
        return false;
    }
    // Only the encoder holds the write side now: the pipe breaks when it exits.
    output->writeEnd.Close();
    input->readEnd.Close();
    m_encoder = std::move(started.child);
    m_outputReader = std::move(output->readEnd);
    m_inputWriter = std::move(input->writeEnd);
    m_outcome.started = true;
    m_startTick = platform::TickCount();
    m_speed.Restart(m_startTick);
    m_context.UpdateJob(m_jobIndex, [](JobRecord& job) { job.encodeSpeed = 0.0; }, {});

    m_outputNotifier = std::make_unique<QSocketNotifier>(m_outputReader.Get(), QSocketNotifier::Read);
    QObject::connect(m_outputNotifier.get(), &QSocketNotifier::activated, [this] { ReadOutput(); });
    m_exitNotifier = std::make_unique<QSocketNotifier>(m_encoder.ExitNotifier(), QSocketNotifier::Read);
    QObject::connect(m_exitNotifier.get(), &QSocketNotifier::activated, [this] { TakeExit(); });
    return true;
}

void EncoderJob::ReadOutput()
{
    char buffer[kChunkBytes + 1] = {};
    const ssize_t count = ::read(m_outputReader.Get(), buffer, kChunkBytes);
    if (count < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (count <= 0) {
        // The encoder closed its console: it is ending.
        m_outputNotifier.reset();
        m_outputReader.Close();
        if (!m_reaped && !m_stop)
            m_timer.start(kExitGraceMs);
        EndIfDone();
        return;
    }
    const std::string_view chunk(buffer);
    KeepOutputTail(m_outputTail, chunk);
    if (m_stopped)
        return;
    bool askToQuit = false;
    m_context.UpdateJob(m_jobIndex,
        [&](JobRecord& job) {
            askToQuit = ParseProgressChunk(chunk, job, platform::TickCount(), m_startTick, m_speed);
        },
        { JobColumn::Status });
    if (askToQuit)
        AskToQuit();
}

void EncoderJob::TakeExit()
{
    if (m_stop) {
        AdvanceStop();
        return;
    }
    if (!m_encoder.TryReap())
        return;
    m_reaped = true;
    m_exitNotifier.reset();
    m_timer.stop();
    EndIfDone();
}

void EncoderJob::AskToQuit()
{
    SendQuitKey(m_inputWriter);
}

void EncoderJob::Stop()
{
    if (m_ended || m_stopped)
        return;
    m_stopped = true;
    // What the encoder still says is not read into the job any more; the
    // pipe stays open so that it can finish its file without a broken pipe.
    m_stop = std::make_unique<ProcessStop>(
        m_encoder, StopRequest::ByQuitKey(std::move(m_inputWriter), kSupervisorStopGracePeriod));
    AdvanceStop();
}

void EncoderJob::AdvanceStop()
{
    if (m_stop->Advance() == StopState::Waiting) {
        const auto slice = std::clamp<std::int64_t>(m_stop->TimeLeft().count(), 1, 100);
        m_timer.start(static_cast<int>(slice));
        return;
    }
    m_reaped = true;
    m_exitNotifier.reset();
    m_timer.stop();
    // A stopped encoder's last words are of no use; a lingering one may
    // hold the pipe no more.
    m_outputNotifier.reset();
    m_outputReader.Close();
    EndIfDone();
}

void EncoderJob::EndIfDone()
{
    if (m_reaped && !m_outputReader.IsOpen() && !m_ended)
        End();
}

void EncoderJob::End()
{
    m_ended = true;
    m_inputWriter.Close();
    m_outcome.stopped = m_stopped;
    m_outcome.exitCode = m_encoder.ExitCode();
    if (!m_stopped && m_outcome.exitCode != 0)
        m_outcome.reason = EncoderFailureReason(m_outputTail, m_encoder);
    // Kept in the job's run record whatever the outcome: a later check of
    // the output may still fail the job, and then these lines tell why.
    const std::string lines = LastEncoderLines(m_outputTail);
    m_context.UpdateJob(m_jobIndex, [&lines](JobRecord& job) { job.run.AppendOutput(lines); }, {});
}

} // namespace kelvara
