// The preview and trim panel in the main window: its buttons and slider in
// their places and wired to it, and the dialog's side of what the panel, the
// file list and the batch ask of each other.
#include "AppFakes.h"

#include "app/DialogTemplate.h"
#include "jobs/JobList.h"
#include "preview/PreviewPanel.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinListCtrl.h"

#include <gtest/gtest.h>

namespace kelvara::test {
namespace {

using Calls = std::vector<std::string>;

class PreviewInWindow : public ::testing::Test {
protected:
    PreviewInWindow()
    {
        f.dialog->show();
        f.preview.durations = { { "/media/a.mp4", 120.0 }, { "/media/b.mp4", 70.0 } };
    }
    CConverterDlg& Dlg() { return *f.dialog; }
    bool PlayShown() { return Dlg().Controls().At(ctl::Play)->isVisibleTo(&Dlg()); }
    bool PauseShown() { return Dlg().Controls().At(ctl::Pause)->isVisibleTo(&Dlg()); }
    // A job of `path` trimmed to start..end (ms), selected in the list.
    int AddSelectedJob(const std::string& path, double startMs, double endMs, JobState state = {})
    {
        JobRecord job;
        job.sourcePath = path;
        job.trimStartMs = startMs;
        job.trimEndMs = endMs;
        job.stateIcon = state;
        const int row = Dlg().Jobs().Add(job);
        Dlg().FileList().SetItemCount(Dlg().Jobs().GetSize());
        Dlg().FileList().SetSelectionMark(row);
        Dlg().SetCurrentJob(row);
        return row;
    }
    void Click(int id) { Dlg().Controls().Button(id)->click(); }
    // The component's first position after an open: it is free again.
    Calls SettleOpen()
    {
        const Calls calls = f.preview.TakeCalls();
        Dlg().Preview().OnPosition(0.0);
        f.preview.TakeCalls();
        return calls;
    }

    DialogFixture f;
};

TEST_F(PreviewInWindow, TheTransportButtonsPlayPauseAndGoToOtherRowsOpeningThemAtTheirTrimStart)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    AddSelectedJob("/media/b.mp4", 2000, 5000);
    f.preview.TakeCalls();
    Click(ctl::Play);
    EXPECT_TRUE(PauseShown());
    EXPECT_FALSE(PlayShown());
    EXPECT_EQ(SettleOpen().at(1), "AddClipEx(/media/b.mp4,2,5,0)");
    Click(ctl::Pause);
    EXPECT_TRUE(PlayShown());
    EXPECT_FALSE(PauseShown());
    EXPECT_EQ(f.preview.TakeCalls(), (Calls { "StopConvert" }));

    const struct {
        int button;
        int row;
        const char* opened;
    } steps[] = { { ctl::PreviousFile, 0, "AddClipEx(/media/a.mp4,0,120,0)" },
        { ctl::NextFile, 1, "AddClipEx(/media/b.mp4,2,70,0)" },
        { ctl::PreviewStop, 0, "AddClipEx(/media/a.mp4,0,120,0)" } };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.button);
        Click(step.button);
        EXPECT_EQ(Dlg().CurrentJob(), step.row);
        EXPECT_EQ(Dlg().FileList().GetSelectionMark(), step.row);
        const Calls calls = SettleOpen();
        ASSERT_GE(calls.size(), 5u);
        EXPECT_EQ(calls.at(4), step.opened);
    }
}

TEST_F(PreviewInWindow, ClearingTheListEndsThePlaybackAndShowsPlay)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    Click(ctl::Play);
    SettleOpen();
    Dlg().OnMenuCommand(cmd::ClearVideo);
    EXPECT_TRUE(PlayShown());
    EXPECT_FALSE(Dlg().Preview().State().playRequested);
    const Calls calls = f.preview.TakeCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "StopConvert"), calls.end()) << "the playback ends";
}

TEST_F(PreviewInWindow, TheTrimSliderTakesItsPlaceAndADraggedEndQueuesTheJobAgain)
{
    CRangeSlider& slider = Dlg().Preview().TrimSlider();
    EXPECT_EQ(Dlg().Controls().At(ctl::TrimRange), &slider);
    EXPECT_EQ(slider.geometry(), QRect(32, 505, 267, 17));
    EXPECT_EQ(slider.accessibleName(), "Trim range");

    AddSelectedJob("/media/b.mp4", 0, 70000, JobState::Done);
    Dlg().LoadTrimRange(70000, 0, 70000);
    slider.SetRange(1000, 4000.7);
    Dlg().Preview().OnTrimRangeChanged(1, true);
    const JobRecord job = Dlg().Jobs().GetAt(0);
    EXPECT_EQ(job.trimEndMs, 4000.0);
    EXPECT_EQ(job.stateIcon, JobState::Queued);
    ASSERT_EQ(f.preview.openedAt.size(), 1u);
    EXPECT_DOUBLE_EQ(f.preview.openedAt[0].second, 4.0007) << "the exact end";
}

} // namespace
} // namespace kelvara::test
