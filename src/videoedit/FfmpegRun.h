// One run of the ffmpeg program in the background, watched from the event
// loop of the thread that owns it: its progress and its end arrive as
// signals while that thread services events.
#pragma once

#include "ffmpeg/ProgressReader.h"
#include "process/ChildProcess.h"
#include "process/ProcessStop.h"
#include "process/Spawner.h"
#include "process/UniqueFd.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QSocketNotifier;

namespace kelvara {

class FfmpegRun : public QObject {
    Q_OBJECT

public:
    explicit FfmpegRun(QObject* parent = nullptr);
    // Ends a run that is still going at once: nobody is left to want its
    // output, and no ffmpeg outlives its run.
    ~FfmpegRun() override;

    // False when the program could not be started (StartError() says why);
    // nothing is emitted then. ffmpeg dies with this program. `descriptors`:
    // ours that ffmpeg gets besides its standard output and error (the
    // output file it writes through), numbered 3 and above.
    bool Start(const QString& program, const QStringList& arguments,
        const std::vector<DescriptorMapping>& descriptors = {});
    const std::string& StartError() const { return m_startError; }

    // Asks ffmpeg to finish (SIGINT: it closes the output properly) and
    // returns at once; the event loop finishes the stop policy (ends it for
    // good after the grace period, reaps it) and then runs `onEnded`, when
    // the output is complete. Emits nothing, then or later. With no process
    // running, `onEnded` runs at once.
    void Stop(std::function<void()> onEnded = {});

    bool IsRunning() const { return m_child.IsRunning(); }
    // The end of what ffmpeg wrote on its standard error so far (its
    // errors and warnings), at most a few kilobytes.
    const std::string& ErrorTail() const { return m_errorTail; }
    qint64 ProcessId() const { return IsRunning() ? m_child.Pid() : 0; }

    // How long ffmpeg gets to finish on its own after Stop.
    static constexpr int kStopGraceMs = static_cast<int>(kStopGracePeriod.count());

signals:
    // Seconds of output written so far.
    void Progressed(double seconds);
    // ffmpeg has ended: `failure` is empty when it exited with status 0, or
    // says why it failed (its last error line when it wrote one).
    void Finished(const QString& failure);

private:
    void OnStandardOutput();
    void OnStandardError();
    void OnExited();
    void StopWatching();
    QString FailureText() const;

    ChildProcess m_child;
    UniqueFd m_output;
    UniqueFd m_errors;
    // Children of this object; retired ones are disabled and deleted later,
    // since one may be retired from its own signal.
    QSocketNotifier* m_outputNotifier = nullptr;
    QSocketNotifier* m_errorNotifier = nullptr;
    QSocketNotifier* m_exitNotifier = nullptr;
    ProgressReader m_progress;
    std::string m_errorTail;
    std::string m_startError;
    bool m_stopped = false;
};

} // namespace kelvara
