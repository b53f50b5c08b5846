// The window and its saved list: the rows, their states and the kind of one
// session come back in the next even when the settings were never written
// (a killed program), and Clear empties the stored copy too.
#include "AppFakes.h"

#include "filelist/FileListCommands.h"
#include "liststate/ListStateFile.h"
#include "options/OutputCatalogue.h"
#include "skin/CImageTab.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

struct Session {
    explicit Session(const QString& listState)
    {
        dialog = std::make_unique<CConverterDlg>(programFolders,
            DialogServices { &settings, &shell, &folders, &preview, &sound, nullptr, nullptr, nullptr,
                nullptr, listState });
        dialog->OnInitDialog(nullptr);
    }

    FakeSettingsStore settings; // fresh each session: only the list file carries over
    FakeDesktopShell shell;
    FakeFileDialogs folders;
    FakePreviewComponent preview;
    FakeSoundPlayer sound;
    ProgramFolders programFolders { "/opt/kelvara/", KELVARA_SOURCE_DIR "/data/", "/home/ann/", "3.1" };
    std::unique_ptr<CConverterDlg> dialog;
};

JobRecord Job(const std::string& source, JobState state, double trimEndMs)
{
    JobRecord job;
    job.sourcePath = source;
    job.durationMs = 9000;
    job.trimStartMs = 500;
    job.trimEndMs = trimEndMs;
    job.stateIcon = state;
    return job;
}

} // namespace

TEST(ListStateWindow, RowsStatesAndKindComeBackAndClearEmptiesTheStoredList)
{
    TempFolder folder;
    const std::string source = folder.Write("clip.mp4", "x");
    const QString path = QString::fromStdString(folder.File("state/list.json"));
    {
        Session first(path);
        first.dialog->OnMenuCommand(command_id::ToAudio);
        first.dialog->Jobs().Add(Job(source, JobState::Done, 4000));
        first.dialog->Jobs().Add(Job(source, JobState::Converting, 6000));
        first.dialog->Jobs().Add(Job(folder.File("gone.mp4"), JobState::Queued, 7000));
    }
    Session second(path);
    ASSERT_EQ(second.dialog->Jobs().GetSize(), 3);
    const JobRecord done = second.dialog->Jobs().GetAt(0);
    EXPECT_EQ(done.stateIcon, JobState::Done);
    EXPECT_EQ(done.trimEndMs, 4000);
    EXPECT_EQ(second.dialog->Jobs().GetAt(1).stateIcon, JobState::Queued); // interrupted: queued again
    EXPECT_EQ(second.dialog->Jobs().GetAt(1).trimEndMs, 6000);
    EXPECT_TRUE(second.dialog->Jobs().GetAt(2).failed); // its source is gone
    EXPECT_EQ(second.dialog->Output().Category(), OutputCategory::Audio);

    second.dialog->FileCommands().OnClearVideo();
    second.dialog->SaveListNow();
    const liststate::ReadList read = liststate::ReadListFile(path);
    EXPECT_EQ(read.outcome, liststate::ReadList::Outcome::Read);
    EXPECT_TRUE(read.list.jobs.empty());
}

} // namespace kelvara::testing
