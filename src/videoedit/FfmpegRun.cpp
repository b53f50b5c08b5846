#include "FfmpegRun.h"

namespace kelvara {

namespace {

// Enough of ffmpeg's standard error to hold its last few error lines.
constexpr std::size_t kErrorTailBytes = 8192;

std::string LastLine(const std::string& text)
{
    const std::size_t end = text.find_last_not_of("\r\n \t");
    if (end == std::string::npos)
        return {};
    const std::size_t breakBefore = text.find_last_of("\r\n", end);
    const std::size_t start = breakBefore == std::string::npos ? 0 : breakBefore + 1;
    return text.substr(start, end + 1 - start);
}

} // namespace

FfmpegRun::FfmpegRun(QObject* parent)
    : QObject(parent)
{
    m_process.setStandardInputFile(QProcess::nullDevice());
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &FfmpegRun::OnStandardOutput);
    connect(&m_process, &QProcess::readyReadStandardError, this, &FfmpegRun::OnStandardError);
    connect(&m_process, &QProcess::finished, this, &FfmpegRun::OnFinished);
}

FfmpegRun::~FfmpegRun()
{
    Stop();
}

bool FfmpegRun::Start(const QString& program, const QStringList& arguments)
{
    m_process.start(program, arguments, QIODevice::ReadOnly);
    return m_process.waitForStarted();
}

void FfmpegRun::Stop()
{
    m_stopped = true;
    // waitForFinished below would deliver the end as signals: cut them first.
    disconnect(&m_process, nullptr, this, nullptr);
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(kStopGraceMs)) {
        m_process.kill();
        m_process.waitForFinished(-1);
    }
}

void FfmpegRun::OnStandardOutput()
{
    const QByteArray text = m_process.readAllStandardOutput();
    const std::vector<ProgressSnapshot> reports
        = m_progress.Feed(std::string_view(text.constData(), text.size()));
    for (const ProgressSnapshot& report : reports) {
        // A receiver may stop the run while it handles one of them.
        if (m_stopped)
            return;
        if (report.timeKnown)
            emit Progressed(report.seconds);
    }
}

void FfmpegRun::OnStandardError()
{
    const QByteArray text = m_process.readAllStandardError();
    m_errorTail.append(text.constData(), static_cast<std::size_t>(text.size()));
    if (m_errorTail.size() > kErrorTailBytes)
        m_errorTail.erase(0, m_errorTail.size() - kErrorTailBytes);
}

void FfmpegRun::OnFinished(int exitCode, QProcess::ExitStatus status)
{
    // The last progress block and error lines may still be waiting.
    OnStandardOutput();
    OnStandardError();
    if (m_stopped)
        return;
    m_stopped = true;
    emit Finished(FailureText(exitCode, status));
}

QString FfmpegRun::FailureText(int exitCode, QProcess::ExitStatus status) const
{
    if (status == QProcess::NormalExit && exitCode == 0)
        return {};
    const std::string line = LastLine(m_errorTail);
    if (!line.empty())
        return QString::fromStdString(line);
    if (status == QProcess::CrashExit)
        return QStringLiteral("ffmpeg ended unexpectedly");
    return QStringLiteral("ffmpeg failed with exit status %1").arg(exitCode);
}

} // namespace kelvara
