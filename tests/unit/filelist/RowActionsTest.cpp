// The entries of a file list row's context menu and the failure report.
#include "filelist/RowActions.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

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

TEST_F(RowActionsTest, TheFailureReportGivesTheReasonThenTheEncodersLines)
{
    JobRecord job;
    job.failed = true;
    job.failureReason = "Conversion failed!";
    EXPECT_EQ(FailureReport(job), "Conversion failed!");
    job.encoderOutput = "Input #0\nUnknown encoder 'x'";
    EXPECT_EQ(FailureReport(job),
        "Conversion failed!\n\nThe encoder's last lines of output:\nInput #0\nUnknown encoder 'x'");
    job.failureReason.clear();
    EXPECT_TRUE(FailureReport(job).startsWith("The conversion failed; no reason was given.\n"));
}

TEST_F(RowActionsTest, LongLinesAreShortenedSoTheBoxStaysOnTheScreen)
{
    JobRecord job;
    job.failureReason = std::string(300, 'r');
    job.encoderOutput = "short\n" + std::string(500, 'e');
    const QStringList lines = FailureReport(job).split('\n');
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 110);
    EXPECT_TRUE(lines.first().endsWith("..."));
    EXPECT_EQ(lines.at(3), "short");
}
