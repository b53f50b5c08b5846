// One run of the ffmpeg program in the background, watched from the event
// loop of the thread that owns it: its progress and its end arrive as
// signals while that thread services events.
#pragma once

#include "ffmpeg/ProgressReader.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

namespace kelvara {

class FfmpegRun : public QObject {
    Q_OBJECT

public:
    explicit FfmpegRun(QObject* parent = nullptr);
    // Stops a run that is still going: no ffmpeg outlives its run.
    ~FfmpegRun() override;

    // False when the program could not be started; nothing is emitted then.
    bool Start(const QString& program, const QStringList& arguments);

    // Asks ffmpeg to finish (SIGTERM: it closes the output properly), ends it
    // for good if it has not gone after a grace period, and reaps it. Emits
    // nothing, then or later. Does nothing when no process runs.
    void Stop();

    bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }
    qint64 ProcessId() const { return m_process.processId(); }

    // How long Stop waits for ffmpeg to finish on its own.
    static constexpr int kStopGraceMs = 3000;

signals:
    // Seconds of output written so far.
    void Progressed(double seconds);
    // ffmpeg has ended: `failure` is empty when it exited with status 0, or
    // says why it failed (its last error line when it wrote one).
    void Finished(const QString& failure);

private:
    void OnStandardOutput();
    void OnStandardError();
    void OnFinished(int exitCode, QProcess::ExitStatus status);
    QString FailureText(int exitCode, QProcess::ExitStatus status) const;

    QProcess m_process;
    ProgressReader m_progress;
    std::string m_errorTail;
    bool m_stopped = false;
};

} // namespace kelvara
