// The entries of a file list row's context menu and the failure report.
#include "filelist/RowActions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include <fstream>

using namespace kelvara;

namespace {

std::vector<bool> Enabled(const std::vector<RowMenuEntry>& entries)
{
    std::vector<bool> enabled;
    for (const RowMenuEntry& entry : entries)
        enabled.push_back(entry.enabled);
    return enabled;
}

class RowActionsTest : public ::testing::Test {
protected:
    RowActionsTest() { std::ofstream(m_output) << "data"; }

    kelvara::testing::TempFolder m_folder;
    const std::string m_output = m_folder.File("clip.mp3");
    const QString m_outputFolder = QString::fromStdString(m_folder.Folder());
};

} // namespace

TEST_F(RowActionsTest, EntriesFollowTheJobTheDiskAndTheBatch)
{
    JobRecord queued;
    EXPECT_EQ(Enabled(RowMenuEntries(queued, false, m_outputFolder)),
        (std::vector<bool> { false, true, false, true }));
    // No output folder on disk either: nothing to open.
    EXPECT_EQ(Enabled(RowMenuEntries(queued, false, "/no/such/folder/")),
        (std::vector<bool> { false, false, false, true }));

    JobRecord done;
    done.outputPath = m_output;
    EXPECT_EQ(
        Enabled(RowMenuEntries(done, true, QString())), (std::vector<bool> { true, true, false, false }));

    JobRecord failed;
    failed.failed = true;
    failed.outputPath = m_folder.File("removed.mp3");
    EXPECT_EQ(
        Enabled(RowMenuEntries(failed, false, QString())), (std::vector<bool> { false, false, true, true }));
}

TEST_F(RowActionsTest, TheOutputsFolderComesBeforeTheOutputFolderField)
{
    JobRecord done;
    done.outputPath = m_output;
    EXPECT_EQ(OutputFileOnDisk(done), QString::fromStdString(m_output));
    EXPECT_EQ(FolderToOpen(done, "/tmp"), QString::fromStdString(m_folder.Path().string()));
    done.outputPath = m_folder.File("gone.mp3");
    EXPECT_TRUE(OutputFileOnDisk(done).isEmpty());
    EXPECT_EQ(FolderToOpen(done, m_outputFolder), QString::fromStdString(m_folder.Path().string()));
}

TEST_F(RowActionsTest, TheFailureReportGivesTheOutcomeTheTimesThenTheLastLines)
{
    JobRecord job;
    job.failed = true;
    EXPECT_EQ(FailureReport(job), "The conversion failed; no reason was given.");

    const auto started = RunRecord::Clock::now();
    job.run.Start(started);
    job.run.AppendOutput("Input #0\nUnknown encoder 'x'");
    job.run.Fail("Unknown encoder 'x'", started + std::chrono::seconds(75));
    const QStringList lines = FailureReport(job).split('\n');
    ASSERT_EQ(lines.size(), 7) << FailureReport(job).toStdString();
    EXPECT_EQ(lines[0], "failed: Unknown encoder 'x'");
    ASSERT_TRUE(lines[1].startsWith("Started: "));
    ASSERT_TRUE(lines[2].startsWith("Ended: "));
    const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    const QDateTime start = QDateTime::fromString(lines[1].mid(9), format);
    const QDateTime end = QDateTime::fromString(lines[2].mid(7), format);
    EXPECT_EQ(start.secsTo(end), 75) << lines[1].toStdString() << " / " << lines[2].toStdString();
    EXPECT_EQ(lines.mid(3), (QStringList { "", "Last lines of output:", "Input #0", "Unknown encoder 'x'" }));
}

TEST_F(RowActionsTest, LongLinesAreShortenedSoTheBoxStaysOnTheScreen)
{
    JobRecord job;
    job.run.outcome = FailedOutcome(std::string(300, 'r'));
    job.run.AppendOutput("short\n" + std::string(250, 'e') + " the end");
    const QStringList lines = FailureReport(job).split('\n');
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 110);
    // The reason, a blank line, the output's heading and its two lines.
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines.at(lines.size() - 2), "short");
    EXPECT_TRUE(lines.last().contains("...") && lines.last().endsWith("e the end"))
        << "an output line keeps its end: " << lines.last().toStdString();
}

TEST_F(RowActionsTest, ALongReasonKeepsItsCauseAndEveryWord)
{
    const std::string folder = "/home/ann/" + std::string(60, 'v') + "/holiday films/";
    // Each reason, and the cause its last line ends with.
    const std::pair<std::string, std::string> cases[] = {
        { "ffmpeg could not convert '" + folder + "clip one.mp4' to '" + folder
                + "clip one.avi': Invalid data found when processing input",
            "Invalid data found when processing input" },
        { "cannot write in the output folder '" + folder + std::string(150, 'x') + "/': Permission denied",
            "Permission denied" },
        { "exit code 1: Unknown encoder 'libxvid'", "Unknown encoder 'libxvid'" },
        { std::string(300, 'r'), "rrr" },
    };
    for (const auto& [reason, cause] : cases) {
        JobRecord job;
        job.run.outcome = FailedOutcome(reason);
        const QStringList lines = FailureReport(job).split('\n');
        for (const QString& line : lines)
            EXPECT_LE(line.size(), 110) << line.toStdString();
        EXPECT_TRUE(lines.last().endsWith(QString::fromStdString(cause))) << lines.join('|').toStdString();
        EXPECT_EQ(
            lines.join(' ').simplified().remove(' '), QString::fromStdString(job.run.outcome).remove(' '))
            << "every word of " << reason;
    }
}
