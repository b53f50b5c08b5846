// One encoder run that does not wait: for the jobs of a batch that convert
// side by side. Its console pipe and its exit (the process's pidfd) are
// watched by notifiers on the window's event loop, so the window is never
// blocked and no job waits on another's pipe. The runner that waits
// (EncoderRunner) serves the batch that converts one file at a time.
#pragma once

#include "process/ChildProcess.h"
#include "process/ProcessStop.h"
#include "process/UniqueFd.h"
#include "runner/EncodeSpeed.h"
#include "runner/EncoderCommand.h"
#include "runner/EncoderRunner.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>

namespace kelvara {

struct ConversionContext;

class EncoderJob {
public:
    EncoderJob(ConversionContext& context, int jobIndex);
    // A job still running is stopped by the stop policy in the background.
    ~EncoderJob();
    EncoderJob(const EncoderJob&) = delete;
    EncoderJob& operator=(const EncoderJob&) = delete;

    // Starts the encoder; false (with the reason in Outcome()) when it could
    // not start, and the job has then ended.
    bool Start(const EncoderCommand& command);
    // STOP: "q" to the encoder, which finishes a playable part, then the
    // stop policy; the job ends when the encoder has gone.
    void Stop();

    int JobIndex() const { return m_jobIndex; }
    bool Ended() const { return m_ended; }
    const RunOutcome& Outcome() const { return m_outcome; }

private:
    void ReadOutput();
    void TakeExit();
    void AskToQuit();
    void AdvanceStop();
    void EndIfDone();
    void End();

    ConversionContext& m_context;
    int m_jobIndex;
    UniqueFd m_outputReader;
    UniqueFd m_inputWriter;
    ChildProcess m_encoder;
    std::unique_ptr<QSocketNotifier> m_outputNotifier;
    std::unique_ptr<QSocketNotifier> m_exitNotifier;
    std::unique_ptr<ProcessStop> m_stop;
    // Steps the stop policy, and stops an encoder that lingers after its
    // output has ended.
    QTimer m_timer;
    std::uint32_t m_startTick = 0;
    EncodeSpeed m_speed;
    std::string m_outputTail;
    bool m_reaped = false;
    bool m_stopped = false;
    bool m_ended = false;
    RunOutcome m_outcome;
};

} // namespace kelvara
