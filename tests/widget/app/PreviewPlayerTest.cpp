// The preview's handlers of the main dialog against a fake component: what is
// asked of the component, in which order, and the Play and Pause buttons.
#include "AppFakes.h"

#include "app/DialogTemplate.h"
#include "jobs/JobList.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinListCtrl.h"

#include <gtest/gtest.h>

namespace kelvara::test {
namespace {

using Calls = std::vector<std::string>;

class PreviewPlayer : public ::testing::Test {
protected:
    PreviewPlayer()
    {
        f.dialog->show();
        f.preview.durations
            = { { "/media/a.mp4", 120.0 }, { "/media/b.mp4", 70.0 }, { "/media/c.mp4", 30.0 } };
    }
    CConverterDlg& Dlg() { return *f.dialog; }
    bool PlayShown() { return Dlg().Controls().At(ctl::Play)->isVisibleTo(&Dlg()); }
    bool PauseShown() { return Dlg().Controls().At(ctl::Pause)->isVisibleTo(&Dlg()); }
    // A job of `path` trimmed to start..end (ms), selected in the list.
    int AddSelectedJob(const std::string& path, double startMs, double endMs)
    {
        JobRecord job;
        job.sourcePath = path;
        job.trimStartMs = startMs;
        job.trimEndMs = endMs;
        const int row = Dlg().Jobs().Add(job);
        Dlg().FileList().SetItemCount(Dlg().Jobs().GetSize());
        Select(row);
        return row;
    }
    void Select(int row)
    {
        Dlg().FileList().SetSelectionMark(row);
        Dlg().SetCurrentJob(row);
    }
    // Opened and past its first position: the component is free again.
    void SettleOpen()
    {
        Dlg().OnPreviewPosition(0.0);
        f.preview.TakeCalls();
    }
    void ClickPlay() { Dlg().Controls().Button(ctl::Play)->click(); }
    void ClickPause() { Dlg().Controls().Button(ctl::Pause)->click(); }

    DialogFixture f;
};

TEST_F(PreviewPlayer, OpenAsksForTheDurationAndOpensTheRestOfTheFileThenPausesOnItsFirstPicture)
{
    Dlg().OpenPreview("/media/a.mp4", 12.5);
    EXPECT_EQ(f.preview.TakeCalls(),
        (Calls { "StopConvert", "GetFileDuration(/media/a.mp4)", "ClearClips", "OutputDepth=24",
            "AddClipEx(/media/a.mp4,12.5,120,0)", "StartPlay" }));
    EXPECT_TRUE(Dlg().PreviewState().open);
    EXPECT_FALSE(Dlg().PreviewState().running);

    // While open, nothing else goes to the component.
    AddSelectedJob("/media/a.mp4", 0, 5000);
    ClickPlay();
    EXPECT_TRUE(f.preview.calls.empty());
    EXPECT_TRUE(PauseShown()) << "the buttons swap all the same";

    // Its first position pauses it there.
    Dlg().OnPreviewPosition(12.5);
    EXPECT_EQ(f.preview.TakeCalls(), (Calls { "PausePlay" }));
    EXPECT_FALSE(Dlg().PreviewState().open);
    EXPECT_TRUE(Dlg().PreviewState().running);
    Dlg().OnPreviewPosition(12.5);
    EXPECT_TRUE(f.preview.calls.empty()) << "once running, positions pause nothing";
}

TEST_F(PreviewPlayer, StartBeyondTheDurationOpensAtTheStart)
{
    Dlg().OpenPreview("/media/c.mp4", 31.0);
    const Calls calls = f.preview.TakeCalls();
    EXPECT_EQ(calls.at(4), "AddClipEx(/media/c.mp4,0,30,0)");
    SettleOpen();
    Dlg().OpenPreview("/media/c.mp4", 30.0);
    EXPECT_EQ(f.preview.TakeCalls().at(4), "AddClipEx(/media/c.mp4,30,30,0)")
        << "the end itself is not beyond";
}

TEST_F(PreviewPlayer, PlayTwiceShowsPauseOnceAndPlaysTheTrimRangeOnce)
{
    AddSelectedJob("/media/b.mp4", 1500, 65400);
    ClickPlay();
    EXPECT_TRUE(PauseShown());
    EXPECT_FALSE(PlayShown());
    EXPECT_EQ(f.preview.TakeCalls(),
        (Calls { "ClearClips", "AddClipEx(/media/b.mp4,1.5,65.4,0)", "AddClip(/media/b.mp4,1.5,65.4)",
            "StartPlay" }));
    EXPECT_TRUE(Dlg().PreviewState().running);
    Dlg().OnPreviewPlay();
    EXPECT_TRUE(f.preview.calls.empty());
    EXPECT_TRUE(PauseShown());
    // Its first position does not pause a playback that was asked for.
    Dlg().OnPreviewPosition(1.5);
    EXPECT_TRUE(f.preview.calls.empty());
}

TEST_F(PreviewPlayer, PauseWithPlayShownDoesNothingAndPauseStopsAPlayback)
{
    AddSelectedJob("/media/b.mp4", 0, 65400);
    Dlg().OnPreviewPause();
    EXPECT_TRUE(f.preview.calls.empty());
    EXPECT_TRUE(PlayShown());

    ClickPlay();
    SettleOpen();
    ClickPause();
    EXPECT_EQ(f.preview.TakeCalls(), (Calls { "StopConvert" }));
    EXPECT_TRUE(PlayShown());
    EXPECT_FALSE(PauseShown());
    EXPECT_FALSE(Dlg().PreviewState().playRequested);
    EXPECT_FALSE(Dlg().PreviewState().running);
}

TEST_F(PreviewPlayer, PositionsInTheTrimEndsWholeSecondReturnTheButtonsToPlay)
{
    AddSelectedJob("/media/b.mp4", 0, 65400);
    for (const double position : { 65.0, 65.4, 65.999 }) {
        SCOPED_TRACE(position);
        ClickPlay();
        SettleOpen();
        Dlg().OnPreviewPosition(64.999);
        EXPECT_TRUE(PauseShown());
        Dlg().OnPreviewPosition(position);
        EXPECT_TRUE(PlayShown());
        EXPECT_FALSE(PauseShown());
        EXPECT_FALSE(Dlg().PreviewState().playRequested);
    }
    ClickPlay();
    SettleOpen();
    Dlg().OnPreviewPosition(66.0);
    EXPECT_TRUE(PauseShown()) << "66 s is past the end's second";
}

TEST_F(PreviewPlayer, WithoutASelectedJobOnlyTheButtonsChange)
{
    Dlg().OnPreviewPlay();
    EXPECT_TRUE(PlayShown()) << "no job, no play";
    AddSelectedJob("/media/a.mp4", 0, 5000);
    ClickPlay();
    f.preview.TakeCalls();
    Dlg().FileList().SetSelectionMark(-1);
    ClickPause();
    EXPECT_TRUE(PlayShown());
    EXPECT_TRUE(f.preview.calls.empty());
    Dlg().OnPreviewPosition(3.0);
    EXPECT_FALSE(Dlg().PreviewState().open);
    EXPECT_TRUE(f.preview.calls.empty()) << "running already: nothing to pause";
}

TEST_F(PreviewPlayer, DuringABatchButtonsOnlySwapAndStopPreviousNextDoNothing)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    AddSelectedJob("/media/b.mp4", 0, 5000);
    f.preview.TakeCalls();
    Dlg().SetConverting(true);
    ClickPlay();
    EXPECT_TRUE(PauseShown());
    ClickPause();
    EXPECT_TRUE(PlayShown());
    Dlg().OnPreviewStop();
    Dlg().OnPreviousFile();
    Dlg().OnNextFile();
    EXPECT_TRUE(f.preview.calls.empty());
    EXPECT_EQ(Dlg().FileList().GetSelectionMark(), 1);
}

TEST_F(PreviewPlayer, PreviousAndNextStepThroughTheRowsAndStopAtTheEnds)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    AddSelectedJob("/media/b.mp4", 2000, 5000);
    AddSelectedJob("/media/c.mp4", 0, 5000);
    f.preview.TakeCalls();
    Dlg().OnNextFile();
    EXPECT_TRUE(f.preview.calls.empty()) << "next on the last row";
    EXPECT_EQ(Dlg().FileList().GetSelectionMark(), 2);

    Dlg().OnPreviousFile();
    EXPECT_EQ(Dlg().CurrentJob(), 1);
    EXPECT_EQ(Dlg().FileList().GetSelectionMark(), 1);
    EXPECT_EQ(f.preview.TakeCalls().at(4), "AddClipEx(/media/b.mp4,2,70,0)") << "opens at the trim start";
    SettleOpen();
    Dlg().OnPreviousFile();
    SettleOpen();
    EXPECT_EQ(Dlg().CurrentJob(), 0);
    Dlg().OnPreviousFile();
    EXPECT_TRUE(f.preview.calls.empty()) << "previous on the first row";
    EXPECT_EQ(Dlg().CurrentJob(), 0);
    Dlg().Controls().Button(ctl::NextFile)->click();
    EXPECT_EQ(Dlg().CurrentJob(), 1) << "the button is wired";
}

TEST_F(PreviewPlayer, StopReturnsToTheFirstFile)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    AddSelectedJob("/media/b.mp4", 0, 5000);
    ClickPlay();
    SettleOpen();
    Dlg().Controls().Button(ctl::PreviewStop)->click();
    EXPECT_TRUE(PlayShown());
    EXPECT_FALSE(Dlg().PreviewState().playRequested);
    EXPECT_EQ(Dlg().CurrentJob(), 0);
    EXPECT_EQ(Dlg().FileList().GetSelectionMark(), 0);
    const Calls calls = f.preview.TakeCalls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls.at(4), "AddClipEx(/media/a.mp4,0,120,0)");
}

TEST_F(PreviewPlayer, AnOpenAskedForWhileOpenHappensAtTheNextPositionSoTheLastSelectedFileShows)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    AddSelectedJob("/media/b.mp4", 0, 5000);
    AddSelectedJob("/media/c.mp4", 0, 5000);
    f.preview.TakeCalls();
    Dlg().OpenPreview("/media/a.mp4", 1.0);
    Dlg().OpenPreview("/media/b.mp4", 1.0);
    Dlg().OpenPreview("/media/c.mp4", 2.0);
    EXPECT_EQ(f.preview.TakeCalls().at(4), "AddClipEx(/media/a.mp4,1,120,0)");
    Dlg().OnPreviewPosition(1.0);
    const Calls calls = f.preview.TakeCalls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls.at(0), "PausePlay");
    EXPECT_EQ(calls.at(5), "AddClipEx(/media/c.mp4,2,30,0)") << "only the last one waiting";
    Dlg().OnPreviewPosition(2.0);
    EXPECT_EQ(f.preview.TakeCalls(), (Calls { "PausePlay" }));
}

TEST_F(PreviewPlayer, ClearingTheListEndsThePlaybackAndShowsPlay)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    ClickPlay();
    SettleOpen();
    Dlg().OnMenuCommand(cmd::ClearVideo);
    EXPECT_TRUE(PlayShown());
    EXPECT_FALSE(Dlg().PreviewState().playRequested);
    const Calls calls = f.preview.TakeCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "StopConvert"), calls.end()) << "the playback ends";
}

} // namespace
} // namespace kelvara::test
