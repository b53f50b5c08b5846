// Adding, removing and clearing sources, and the clicks and keys that move
// the current job, against a recording dialog.
#include "FileListFixture.h"

namespace kelvara {
namespace {

class FileListCommandsTest : public FileListFixture { };

TEST_F(FileListCommandsTest, AddingKeepsTheDialogsOrderAndOpensOnlyTheLastFile)
{
    // The first files take longest to probe, so later ones are known first.
    const QStringList paths = { "/media/slow one.mp4", "/media/slow two.mp4", "/media/three.mp4" };
    prober.infos["/media/slow one.mp4"] = MediaInfo { true, 1.5, 640, 480 };
    prober.infos["/media/slow two.mp4"] = MediaInfo { true, 2.0, 320, 240 };
    prober.infos["/media/three.mp4"] = MediaInfo { true, 3.25, 176, 144 };
    host.chosen = paths;
    commands->OnAddVideo();
    EXPECT_FALSE(host.placeholderShown);
    ASSERT_TRUE(WaitFor([&] { return !commands->IsAdding(); }));

    ASSERT_EQ(jobs.GetSize(), 3);
    ASSERT_EQ(list->GetItemCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(jobs.GetAt(i).sourcePath, paths[i].toStdString());
    EXPECT_EQ(jobs.GetAt(0).durationMs, 1500.0);
    EXPECT_EQ(jobs.GetAt(1).sourceWidth, 320);
    EXPECT_EQ(host.current, 2);
    EXPECT_EQ(list->GetSelectionMark(), 2);
    EXPECT_TRUE(list->IsRowSelected(2));
    EXPECT_EQ(host.previews, QStringList { "/media/three.mp4" });
    EXPECT_EQ(host.previewStart, 1.0);
    EXPECT_EQ(host.trimMax, 3250.0);
    EXPECT_EQ(host.trimEnd, 3250.0);
    EXPECT_EQ(host.widthField, "176");
    EXPECT_EQ(host.mpegPresets, 0);
    EXPECT_EQ(host.offeredFilters.last(), "All Files (*)");
    EXPECT_TRUE(host.offeredFilters.first().startsWith("Audio and Video Files (*.avi "));
}

TEST_F(FileListCommandsTest, ManyAddedFilesEndScrolledToTheLast)
{
    Add(Paths(40));
    EXPECT_EQ(list->BottomVisibleRow(), 39);
    EXPECT_EQ(host.previews.size(), 1);
}

TEST_F(FileListCommandsTest, MpegPresetsApplyToAddedFiles)
{
    host.kind = OutputKind { OutputCategory::PcVideo, static_cast<int>(PcKind::Mpeg) };
    host.mpegType = 4;
    Add({ "/media/a.mp4" });
    EXPECT_EQ(host.mpegPresets, 1);
    host.mpegType = 6;
    Add({ "/media/b.mp4" });
    EXPECT_EQ(host.mpegPresets, 1) << "not a preset";
}

TEST_F(FileListCommandsTest, AddedJobsStartWithEveryOptionThePanelsShow)
{
    Add({ "/media/a.mp4" });
    const JobRecord job = jobs.GetAt(0);
    const JobPanelOptions& shown = host.options;
    EXPECT_DOUBLE_EQ(job.aviFrameRate, shown.aviFrameRate);
    EXPECT_EQ(job.aviVideoCodec, shown.aviVideoCodec);
    EXPECT_EQ(job.aviAudioCodec, shown.aviAudioCodec);
    EXPECT_EQ(job.mpegType, shown.mpegType);
    EXPECT_DOUBLE_EQ(job.mpegFrameRate, shown.mpegFrameRate);
    EXPECT_EQ(job.mpegAudioBitrate, shown.mpegAudioBitrate);
    EXPECT_EQ(job.mpegAudioRate, shown.mpegAudioRate);
}

TEST_F(FileListCommandsTest, NothingChangesWhileABatchRuns)
{
    Add(Paths(3));
    host.converting = true;
    host.chosen = { "/media/new.mp4" };
    commands->OnAddVideo();
    commands->AddFiles({ "/media/new.mp4" });
    list->SetSelectionMark(0);
    commands->OnRemoveVideo();
    commands->OnClearVideo();
    EXPECT_EQ(jobs.GetSize(), 3);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(0, 2));
    EXPECT_EQ(host.current, 2);
    EXPECT_EQ(list->GetSelectionMark(), 2);
    EXPECT_TRUE(list->IsRowSelected(2));
    EXPECT_TRUE(host.shownOptions.isEmpty());
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(host.current, 2);
}

TEST_F(FileListCommandsTest, RemovingTheLastOfFiveMakesTheNewLastCurrent)
{
    Add(Paths(5));
    list->SetSelectionMark(4);
    commands->OnRemoveVideo();
    ASSERT_EQ(jobs.GetSize(), 4);
    EXPECT_EQ(list->GetItemCount(), 4);
    EXPECT_EQ(host.current, 3);
    EXPECT_EQ(list->GetSelectionMark(), 3);
    EXPECT_TRUE(list->IsRowSelected(3));
    EXPECT_EQ(host.previews.last(), "/media/clip3.mp4");
    EXPECT_EQ(host.previewStops, 1);

    // From the middle the position stays.
    list->SetSelectionMark(1);
    commands->OnRemoveVideo();
    EXPECT_EQ(host.current, 1);
    EXPECT_EQ(jobs.GetAt(1).sourcePath, "/media/clip2.mp4");
}

TEST_F(FileListCommandsTest, RemovingTheOnlyJobOrClearingReturnsToTheStartState)
{
    Add(Paths(1));
    commands->OnRemoveVideo();
    EXPECT_EQ(jobs.GetSize(), 0);
    EXPECT_EQ(host.current, -1);
    EXPECT_TRUE(host.placeholderShown);
    EXPECT_EQ(host.widthField, "");
    EXPECT_EQ(host.trimMax, 100.0);
    EXPECT_EQ(host.outputResets, 1);

    Add(Paths(3));
    commands->OnClearVideo();
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(host.current, -1);
    EXPECT_EQ(host.outputResets, 2);
    EXPECT_TRUE(host.placeholderShown);
    // Removing with nothing left does nothing.
    commands->OnRemoveVideo();
    EXPECT_EQ(host.outputResets, 2);
}

TEST_F(FileListCommandsTest, ClearingWhileAddingDropsTheFilesStillComing)
{
    QStringList paths;
    for (int i = 0; i < 6; ++i)
        paths << QStringLiteral("/media/slow%1.mp4").arg(i);
    commands->AddFiles(paths);
    commands->OnClearVideo();
    EXPECT_FALSE(commands->IsAdding());
    QTest::qWait(400);
    EXPECT_EQ(jobs.GetSize(), 0);
    EXPECT_TRUE(host.previews.isEmpty());
}

TEST_F(FileListCommandsTest, KeysWalkTheRowsAndStopAtTheEnds)
{
    Add(Paths(4));
    list->setFocus();
    host.previews.clear();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(host.current, 3) << "Down on the last row changes nothing";
    EXPECT_TRUE(host.previews.isEmpty());
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(host.current, 2);
    EXPECT_EQ(list->GetSelectionMark(), 2);
    EXPECT_EQ(host.previews, QStringList { "/media/clip2.mp4" });
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(host.current, 0);
    EXPECT_TRUE(list->IsRowSelected(0));
    host.previews.clear();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(host.current, 0) << "Up on the first row changes nothing";
    EXPECT_EQ(list->GetSelectionMark(), 0);
    EXPECT_TRUE(host.previews.isEmpty());
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(host.current, 3);
    EXPECT_EQ(host.shownOptions.last(), "/media/clip3.mp4");
}

TEST_F(FileListCommandsTest, LeftClickOnACellMakesItsRowCurrent)
{
    Add(Paths(3));
    JobRecord job = jobs.GetAt(0);
    job.trimStartMs = 2000;
    jobs.SetAt(0, job);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(0, 3));
    EXPECT_EQ(host.current, 0);
    EXPECT_EQ(host.previews.last(), "/media/clip0.mp4");
    EXPECT_EQ(host.previewStart, 2.0);
    EXPECT_EQ(host.trimStart, 2000.0);
    EXPECT_EQ(host.previewNotPlaying, 1);

    // A click on empty space keeps the current row selected.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(100, list->viewport()->height() - 3));
    EXPECT_EQ(host.current, 0);
    EXPECT_TRUE(list->IsRowSelected(0));
}

TEST_F(FileListCommandsTest, RightClickMakesAnotherRowCurrentAndLoadsItsOptions)
{
    Add(Paths(3));
    host.shownOptions.clear();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, CellCentre(1, 4));
    EXPECT_EQ(host.current, 1);
    EXPECT_EQ(host.enabledOptions, 1);
    EXPECT_EQ(host.shownOptions, QStringList { "/media/clip1.mp4" });
    EXPECT_TRUE(list->IsRowSelected(1));

    // On the current row or on empty space: the current row stays selected, nothing reloads.
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, CellCentre(1, 2));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(100, list->viewport()->height() - 3));
    EXPECT_EQ(host.enabledOptions, 1);
    EXPECT_EQ(host.shownOptions.size(), 1);
    EXPECT_TRUE(list->IsRowSelected(1));
}

TEST_F(FileListCommandsTest, FrameSizeFieldsEmptyForNoPicture)
{
    commands->ShowFrameSize(720, 576);
    EXPECT_EQ(host.widthField, "720");
    EXPECT_EQ(host.heightField, "576");
    commands->ShowFrameSize(720, 0);
    EXPECT_EQ(host.widthField, "");
    EXPECT_EQ(host.heightField, "");
}

} // namespace
} // namespace kelvara
