// The preview and trim panel in the main window: its buttons and slider in
// their places and wired to it, and the window's answers to it.
#include "AppFakes.h"

#include "app/DialogTemplate.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinListCtrl.h"

#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

class PreviewInWindow : public ::testing::Test {
protected:
    PreviewInWindow()
    {
        f.dialog->show();
        f.preview.durations = { { "/media/a.mp4", 120.0 }, { "/media/b.mp4", 70.0 } };
    }
    CConverterDlg& Dlg() { return *f.dialog; }
    // Play shown and Pause hidden, or the reverse.
    bool PlayShown()
    {
        const bool play = Dlg().Controls().At(control_id::Play)->isVisibleTo(&Dlg());
        EXPECT_NE(play, Dlg().Controls().At(control_id::Pause)->isVisibleTo(&Dlg()));
        return play;
    }
    void AddSelectedJob(const std::string& path, double startMs, double endMs)
    {
        JobRecord job;
        job.sourcePath = path;
        job.trimStartMs = startMs;
        job.trimEndMs = endMs;
        const int row = Dlg().Jobs().Add(job);
        Dlg().FileList().SetItemCount(Dlg().Jobs().GetSize());
        Dlg().FileList().SetSelectionMark(row);
        Dlg().SetCurrentJob(row);
    }
    // A click, and the component's first position after what it opened.
    void Click(int id)
    {
        Dlg().Controls().Button(id)->click();
        Dlg().Preview().OnPosition(0.0);
    }

    DialogFixture f;
};

TEST_F(PreviewInWindow, TheTransportButtonsReachThePanelAndClearingTheListEndsThePlayback)
{
    AddSelectedJob("/media/a.mp4", 0, 5000);
    AddSelectedJob("/media/b.mp4", 2000, 5000);
    Click(control_id::Play);
    EXPECT_FALSE(PlayShown());
    Click(control_id::Pause);
    EXPECT_TRUE(PlayShown());
    for (const auto& [button, row] : { std::pair { control_id::PreviousFile, 0 }, { control_id::NextFile, 1 },
             { control_id::PreviewStop, 0 } }) {
        Click(button);
        EXPECT_EQ(Dlg().CurrentJob(), row);
        EXPECT_EQ(Dlg().FileList().GetSelectionMark(), row);
    }
    using Opened = std::vector<std::pair<std::string, double>>;
    EXPECT_EQ(f.preview.openedAt,
        (Opened { { "/media/b.mp4", 2.0 }, { "/media/a.mp4", 0.0 }, { "/media/b.mp4", 2.0 },
            { "/media/a.mp4", 0.0 } }))
        << "the selected row plays its trim range; a row gone to opens at its trim start";

    // Clearing the list ends the playback.
    Click(control_id::Play);
    f.preview.TakeCalls();
    Dlg().OnMenuCommand(command_id::ClearVideo);
    EXPECT_TRUE(PlayShown());
    EXPECT_FALSE(Dlg().Preview().State().playRequested);
    EXPECT_EQ(f.preview.TakeCalls().at(0), "StopConvert");
}

TEST_F(PreviewInWindow, TheTrimSliderTakesItsPlaceAndAFinishedDragQueuesTheJobAgain)
{
    CRangeSlider& slider = Dlg().Preview().TrimSlider();
    EXPECT_EQ(Dlg().Controls().At(control_id::TrimRange), &slider);
    EXPECT_EQ(slider.geometry(), QRect(32, 505, 267, 17));
    EXPECT_EQ(slider.accessibleName(), "Trim range");

    AddSelectedJob("/media/b.mp4", 0, 70000);
    Dlg().Jobs().Update(0, [](JobRecord& job) { job.stateIcon = JobState::Done; });
    Dlg().LoadTrimRange(70000, 0, 70000);
    slider.SetRange(1000, 4000.7);
    Dlg().Preview().OnTrimRangeChanged(1, true);
    EXPECT_EQ(Dlg().Jobs().GetAt(0).trimEndMs, 4000.0);
    EXPECT_EQ(Dlg().Jobs().GetAt(0).stateIcon, JobState::Queued);
}

} // namespace
} // namespace kelvara::testing
