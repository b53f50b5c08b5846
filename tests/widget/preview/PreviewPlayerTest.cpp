// The preview panel's player against a fake component: what is asked of the
// component, in which order, and which of Play and Pause shows.
#include "PreviewFakes.h"

#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

using Calls = std::vector<std::string>;

class PreviewPlayer : public ::testing::Test {
protected:
    PreviewPlayer()
    {
        f.component.durations
            = { { "/media/a.mp4", 120.0 }, { "/media/b.mp4", 70.0 }, { "/media/c.mp4", 30.0 } };
    }
    PreviewPanel::Flags State() const { return f.panel.State(); }
    // Opened and past its first position: the component is free again.
    void SettleOpen()
    {
        f.panel.OnPosition(0.0);
        f.component.TakeCalls();
    }

    PreviewPanelFixture f;
    PreviewPanel& panel = f.panel;
    FakePanelHost& host = f.host;
};

TEST_F(PreviewPlayer, OpenAsksForTheDurationAndOpensTheRestOfTheFileThenPausesOnItsFirstPicture)
{
    panel.Open("/media/a.mp4", 12.5);
    EXPECT_EQ(f.component.TakeCalls(),
        (Calls { "StopConvert", "GetFileDuration(/media/a.mp4)", "ClearClips", "OutputDepth=24",
            "AddClipEx(/media/a.mp4,12.5,120,0)", "StartPlay" }));
    EXPECT_TRUE(State().open);
    EXPECT_FALSE(State().running);

    // While open, nothing else goes to the component.
    f.AddSelectedJob("/media/a.mp4", 0, 5000);
    panel.OnPlay();
    EXPECT_TRUE(f.component.calls.empty());
    EXPECT_FALSE(host.playShown) << "the buttons swap all the same";

    // Its first position pauses it there.
    panel.OnPosition(12.5);
    EXPECT_EQ(f.component.TakeCalls(), (Calls { "PausePlay" }));
    EXPECT_FALSE(State().open);
    EXPECT_TRUE(State().running);
    panel.OnPosition(12.5);
    EXPECT_TRUE(f.component.calls.empty()) << "once running, positions pause nothing";
}

TEST_F(PreviewPlayer, StartBeyondTheDurationOpensAtTheStart)
{
    panel.Open("/media/c.mp4", 31.0);
    const Calls calls = f.component.TakeCalls();
    EXPECT_EQ(calls.at(4), "AddClipEx(/media/c.mp4,0,30,0)");
    SettleOpen();
    panel.Open("/media/c.mp4", 30.0);
    EXPECT_EQ(f.component.TakeCalls().at(4), "AddClipEx(/media/c.mp4,30,30,0)")
        << "the end itself is not beyond";
}

TEST_F(PreviewPlayer, PlayTwiceShowsPauseOnceAndPlaysTheTrimRangeOnce)
{
    f.AddSelectedJob("/media/b.mp4", 1500, 65400);
    panel.OnPlay();
    EXPECT_FALSE(host.playShown);
    EXPECT_EQ(f.component.TakeCalls(),
        (Calls { "ClearClips", "AddClipEx(/media/b.mp4,1.5,65.4,0)", "AddClip(/media/b.mp4,1.5,65.4)",
            "StartPlay" }));
    EXPECT_TRUE(State().running);
    panel.OnPlay();
    EXPECT_TRUE(f.component.calls.empty());
    EXPECT_FALSE(host.playShown);
    // Its first position does not pause a playback that was asked for.
    panel.OnPosition(1.5);
    EXPECT_TRUE(f.component.calls.empty());
}

TEST_F(PreviewPlayer, PauseWithPlayShownDoesNothingAndPauseStopsAPlayback)
{
    f.AddSelectedJob("/media/b.mp4", 0, 65400);
    panel.OnPause();
    EXPECT_TRUE(f.component.calls.empty());
    EXPECT_TRUE(host.playShown);

    panel.OnPlay();
    SettleOpen();
    panel.OnPause();
    EXPECT_EQ(f.component.TakeCalls(), (Calls { "StopConvert" }));
    EXPECT_TRUE(host.playShown);
    EXPECT_FALSE(State().playRequested);
    EXPECT_FALSE(State().running);
}

TEST_F(PreviewPlayer, PositionsInTheTrimEndsWholeSecondReturnTheButtonsToPlay)
{
    f.AddSelectedJob("/media/b.mp4", 0, 65400);
    for (const double position : { 65.0, 65.4, 65.999 }) {
        SCOPED_TRACE(position);
        panel.OnPlay();
        SettleOpen();
        panel.OnPosition(64.999);
        EXPECT_FALSE(host.playShown);
        panel.OnPosition(position);
        EXPECT_TRUE(host.playShown);
        EXPECT_FALSE(State().playRequested);
    }
    panel.OnPlay();
    SettleOpen();
    panel.OnPosition(66.0);
    EXPECT_FALSE(host.playShown) << "66 s is past the end's second";
}

TEST_F(PreviewPlayer, WithoutASelectedJobOnlyTheButtonsChange)
{
    panel.OnPlay();
    EXPECT_TRUE(host.playShown) << "no job, no play";
    f.AddSelectedJob("/media/a.mp4", 0, 5000);
    panel.OnPlay();
    f.component.TakeCalls();
    host.selected = -1;
    panel.OnPause();
    EXPECT_TRUE(host.playShown);
    EXPECT_TRUE(f.component.calls.empty());
    panel.OnPosition(3.0);
    EXPECT_FALSE(State().open);
    EXPECT_TRUE(f.component.calls.empty()) << "running already: nothing to pause";
}

TEST_F(PreviewPlayer, DuringABatchButtonsOnlySwapAndStopPreviousNextDoNothing)
{
    f.AddSelectedJob("/media/a.mp4", 0, 5000);
    f.AddSelectedJob("/media/b.mp4", 0, 5000);
    host.converting = true;
    panel.OnPlay();
    EXPECT_FALSE(host.playShown);
    panel.OnPause();
    EXPECT_TRUE(host.playShown);
    panel.OnStop();
    panel.OnPreviousFile();
    panel.OnNextFile();
    EXPECT_TRUE(f.component.calls.empty());
    EXPECT_TRUE(host.rowsShown.empty());
}

TEST_F(PreviewPlayer, PreviousAndNextStepThroughTheRowsAndStopAtTheEnds)
{
    for (const char* path : { "/media/a.mp4", "/media/b.mp4", "/media/c.mp4" })
        f.AddSelectedJob(path, 0, 5000);
    panel.OnNextFile();
    EXPECT_TRUE(host.rowsShown.empty()) << "next on the last row";
    panel.OnPreviousFile();
    panel.OnPreviousFile();
    panel.OnPreviousFile();
    EXPECT_EQ(host.rowsShown, (std::vector<int> { 1, 0 })) << "previous on the first row does nothing";
    panel.OnNextFile();
    EXPECT_EQ(host.rowsShown.back(), 1);
}

TEST_F(PreviewPlayer, StopReturnsToTheFirstFile)
{
    panel.OnStop();
    EXPECT_TRUE(host.rowsShown.empty()) << "no file to return to";
    f.AddSelectedJob("/media/a.mp4", 0, 5000);
    f.AddSelectedJob("/media/b.mp4", 0, 5000);
    panel.OnPlay();
    SettleOpen();
    panel.OnStop();
    EXPECT_TRUE(host.playShown);
    EXPECT_FALSE(State().playRequested);
    EXPECT_FALSE(State().running);
    EXPECT_EQ(host.rowsShown, (std::vector<int> { 0 }));
}

TEST_F(PreviewPlayer, AnOpenAskedForWhileOpenHappensAtTheNextPositionSoTheLastSelectedFileShows)
{
    f.AddSelectedJob("/media/a.mp4", 0, 5000);
    panel.Open("/media/a.mp4", 1.0);
    panel.Open("/media/b.mp4", 1.0);
    panel.Open("/media/c.mp4", 2.0);
    EXPECT_EQ(f.component.TakeCalls().at(4), "AddClipEx(/media/a.mp4,1,120,0)");
    panel.OnPosition(1.0);
    const Calls calls = f.component.TakeCalls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls.at(0), "PausePlay");
    EXPECT_EQ(calls.at(5), "AddClipEx(/media/c.mp4,2,30,0)") << "only the last one waiting";
    panel.OnPosition(2.0);
    EXPECT_EQ(f.component.TakeCalls(), (Calls { "PausePlay" }));

    // A stop forgets what waits: its row may be gone.
    panel.Open("/media/a.mp4", 1.0);
    panel.Open("/media/b.mp4", 1.0);
    panel.StopPlayback();
    f.component.TakeCalls();
    panel.OnPosition(1.0);
    EXPECT_EQ(f.component.TakeCalls(), (Calls { "PausePlay" }));
}

} // namespace
} // namespace kelvara::testing
