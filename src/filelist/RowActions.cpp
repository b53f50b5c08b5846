#include "RowActions.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kelvara {

namespace {

// ffmpeg's lines can be long; the message box is as wide as its widest line.
constexpr int kLongestShownLine = 110;

QString Shortened(const QString& line)
{
    if (line.size() <= kLongestShownLine)
        return line;
    return line.left(kLongestShownLine - 3) + QStringLiteral("...");
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
    QStringList lines;
    const QString reason = QString::fromStdString(job.failureReason).trimmed();
    for (const QString& line : reason.split(QLatin1Char('\n')))
        lines << Shortened(line);
    if (reason.isEmpty())
        lines = QStringList { QStringLiteral("The conversion failed; no reason was given.") };
    if (!job.encoderOutput.empty()) {
        lines << QString() << QStringLiteral("The encoder's last lines of output:");
        for (const QString& line : QString::fromStdString(job.encoderOutput).split(QLatin1Char('\n')))
            lines << Shortened(line);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace kelvara
