#include "RowActions.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kelvara {

namespace {

// ffmpeg's lines can be long; the message box is as wide as its widest line.
constexpr int kLongestShownLine = 110;
const QString kCut = QStringLiteral("...");

// An output line keeps its start and its end, where ffmpeg names the cause.
QString Shortened(const QString& line)
{
    if (line.size() <= kLongestShownLine)
        return line;
    const qsizetype kept = kLongestShownLine - kCut.size();
    return line.left(kept / 2) + kCut + line.right(kept - kept / 2);
}

void AddShortened(QStringList& lines, const std::string& text)
{
    for (const QString& line : QString::fromStdString(text).split(QLatin1Char('\n')))
        lines << Shortened(line);
}

// The reason is shown whole, over as many lines as it needs: its cause comes
// last, after the paths. Lines break at blanks; a word that would leave
// more than half a line empty (a long path) is broken where the line ends.
void AddWrapped(QStringList& lines, const std::string& text)
{
    for (QString rest : QString::fromStdString(text).split(QLatin1Char('\n'))) {
        while (rest.size() > kLongestShownLine) {
            qsizetype end = rest.lastIndexOf(QLatin1Char(' '), kLongestShownLine);
            if (end < kLongestShownLine / 2)
                end = kLongestShownLine;
            lines << rest.left(end);
            rest = rest.mid(end).trimmed();
        }
        lines << rest;
    }
}

// The wall-clock time in the user's time zone, to the second.
QString TimeText(RunRecord::Clock::time_point time)
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch());
    return QDateTime::fromMSecsSinceEpoch(ms.count()).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

} // namespace

QString OutputFileOnDisk(const JobRecord& job)
{
    if (job.outputPath.empty())
        return {};
    const QFileInfo file(QString::fromStdString(job.outputPath));
    return file.isFile() ? file.absoluteFilePath() : QString();
}

QString FolderToOpen(const JobRecord& job, const QString& outputFolder)
{
    const QString output = OutputFileOnDisk(job);
    if (!output.isEmpty())
        return QFileInfo(output).absolutePath();
    if (!outputFolder.isEmpty() && QFileInfo(outputFolder).isDir())
        return QDir(outputFolder).absolutePath();
    return {};
}

std::vector<RowMenuEntry> RowMenuEntries(const JobRecord& job, bool converting, const QString& outputFolder)
{
    return {
        { RowCommand::PlayOutput, QStringLiteral("Play Output"), !OutputFileOnDisk(job).isEmpty() },
        { RowCommand::OpenOutputFolder, QStringLiteral("Open Output Folder"),
            !FolderToOpen(job, outputFolder).isEmpty() },
        { RowCommand::ShowFailureReason, QStringLiteral("Show Failure Reason"), job.failed },
        { RowCommand::Remove, QStringLiteral("Remove"), !converting },
    };
}

QString FailureReport(const JobRecord& job)
{
    const RunRecord& run = job.run;
    QStringList lines;
    if (run.Ended())
        AddWrapped(lines, run.outcome);
    else
        lines << QStringLiteral("The conversion failed; no reason was given.");
    if (run.Started())
        lines << QStringLiteral("Started: ") + TimeText(run.started);
    if (run.ended != RunRecord::Clock::time_point {})
        lines << QStringLiteral("Ended: ") + TimeText(run.ended);
    if (!run.outputTail.empty()) {
        lines << QString() << QStringLiteral("Last lines of output:");
        AddShortened(lines, run.outputTail);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace kelvara
