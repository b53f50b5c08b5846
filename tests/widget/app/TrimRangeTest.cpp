// The trim range in the main window: the slider at its place writes the
// selected job's start and end, a finished drag stores whole milliseconds,
// queues the job again and shows the new start or end in the preview, and
// the dialog's own loads of the slider change no job.
#include "AppFakes.h"
#include "filelist/FileListCommands.h"
#include "jobs/JobListView.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinListCtrl.h"

#include <gtest/gtest.h>

namespace kelvara::test {
namespace {

// The dialog with its preview calls written down instead of played.
class PreviewRecordingDialog : public CConverterDlg {
public:
    using CConverterDlg::CConverterDlg;
    void OpenPreview(const QString& path, double startSeconds) override
    {
        opened.emplace_back(path, startSeconds);
    }
    std::vector<std::pair<QString, double>> opened;
};

constexpr double kDurationMs = 65432.9;
const QString kSource = QStringLiteral("/media/holiday.mp4");

class TrimRange : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        AddSelectedJob(JobState::Done);
        // The geometry the mouse works with is the last painted one.
        Slider().repaint();
    }
    CRangeSlider& Slider() { return dialog->TrimSlider(); }
    JobRecord Job(int row = 0) { return dialog->Jobs().GetAt(row); }
    // A converted job of the whole file, selected and loaded into the slider.
    int AddSelectedJob(JobState state, const QString& source = kSource)
    {
        JobRecord job;
        job.sourcePath = source.toStdString();
        job.durationMs = kDurationMs;
        job.trimEndMs = kDurationMs;
        job.stateIcon = state;
        job.percentDone = state == JobState::Done ? 100 : 0;
        const int row = dialog->Jobs().Add(job);
        dialog->FileList().SetItemCount(dialog->Jobs().GetSize());
        dialog->FileList().SetSelectionMark(row);
        dialog->SetCurrentJob(row);
        dialog->LoadTrimRange(job.durationMs, job.trimStartMs, job.trimEndMs);
        return row;
    }
    // A change of the range as the user makes it: the slider moves, then
    // tells the dialog.
    void UserSets(double left, double right)
    {
        Slider().SetRange(left, right);
        dialog->OnTrimRangeChanged(2, false);
    }
    QString SplitSpan(int row = 0)
    {
        return dialog->FileList()
            .model()
            ->index(row, static_cast<int>(JobColumn::SplitSpan))
            .data()
            .toString();
    }
    // Drags a part of the slider by `dx` pixels; the release is optional.
    void DragBy(const QRect& part, int dx, bool release = true)
    {
        const QPoint from = part.center();
        QTest::mousePress(&Slider(), Qt::LeftButton, {}, from);
        QTest::mouseMove(&Slider(), from + QPoint(dx, 0));
        if (release)
            QTest::mouseRelease(&Slider(), Qt::LeftButton, {}, from + QPoint(dx, 0));
    }

    BasicDialogFixture<PreviewRecordingDialog> f;
    PreviewRecordingDialog* dialog = f.dialog.get();
};

TEST_F(TrimRange, TheSliderTakesTheTrimRangesPlaceAndName)
{
    EXPECT_EQ(dialog->Controls().At(ctl::TrimRange), &Slider());
    EXPECT_EQ(Slider().geometry(), QRect(32, 505, 267, 17));
    EXPECT_EQ(Slider().accessibleName(), "Trim range");
}

TEST_F(TrimRange, LeftThumbAtTheLeftEndStoresOneMillisecondAndShowsThatMoment)
{
    Slider().SetRange(5000, kDurationMs);
    Slider().repaint();
    DragBy(Slider().Model().LeftRect(), -300);
    EXPECT_EQ(Job().trimStartMs, 1.0);
    EXPECT_EQ(Job().trimEndMs, 65432.0);
    EXPECT_EQ(Job().positionMs, 1.0);
    ASSERT_EQ(dialog->opened.size(), 1u);
    EXPECT_EQ(dialog->opened[0].first, kSource);
    EXPECT_DOUBLE_EQ(dialog->opened[0].second, 0.001);
    EXPECT_TRUE(SplitSpan().startsWith("00:00:00<-->")) << SplitSpan().toStdString();
}

TEST_F(TrimRange, RightThumbReleasedStoresWholeMillisecondsButShowsTheExactEnd)
{
    // The end is already at 65 432.9 ms: the release alone reports it.
    DragBy(Slider().Model().RightRect(), 0);
    EXPECT_EQ(Job().trimEndMs, 65432.0);
    ASSERT_EQ(dialog->opened.size(), 1u);
    EXPECT_DOUBLE_EQ(dialog->opened[0].second, 65.4329);
}

TEST_F(TrimRange, DuringADragTheJobHoldsFractionalMillisecondsAndWholeOnesAfter)
{
    DragBy(Slider().Model().LeftRect(), 37, false);
    const double during = Job().trimStartMs;
    EXPECT_EQ(during, Slider().GetLeft());
    EXPECT_NE(during, std::trunc(during)) << "65432.9 / 241 per pixel leaves a fraction";
    EXPECT_TRUE(dialog->opened.empty()) << "the preview waits for the release";
    EXPECT_EQ(Job().stateIcon, JobState::Done) << "nor is the job queued while the thumb moves";
    QTest::mouseRelease(&Slider(), Qt::LeftButton, {}, Slider().Model().LeftRect().center());
    EXPECT_EQ(Job().trimStartMs, std::trunc(during));
    ASSERT_EQ(dialog->opened.size(), 1u);
    EXPECT_DOUBLE_EQ(dialog->opened[0].second, during * 0.001);
}

TEST_F(TrimRange, ReleasingAThumbQueuesAConvertedJobAgainWithNoProgress)
{
    DragBy(Slider().Model().RightRect(), -50);
    EXPECT_EQ(Job().stateIcon, JobState::Queued);
    EXPECT_EQ(Job().percentDone, 0);
    EXPECT_LT(Job().trimEndMs, 65432.0);
}

TEST_F(TrimRange, BarDraggedKeepsTheSpanAndShowsTheNewStart)
{
    Slider().SetRange(10000, 20000);
    Slider().repaint();
    DragBy(Slider().Model().MiddleRect(), 40);
    EXPECT_GT(Job().trimStartMs, 10000.0);
    EXPECT_NEAR(Job().trimEndMs - Job().trimStartMs, 10000.0, 1.0);
    ASSERT_EQ(dialog->opened.size(), 1u);
    EXPECT_NEAR(dialog->opened[0].second, Job().trimStartMs * 0.001, 0.001);
}

TEST_F(TrimRange, ArrowKeysStoreTheRangeWithoutQueueingOrMovingThePreview)
{
    Slider().setFocus();
    QTest::keyClick(&Slider(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&Slider(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_NEAR(Job().trimEndMs, kDurationMs - kDurationMs / 241, 1e-6);
    QTest::keyClick(&Slider(), Qt::Key_Right);
    EXPECT_NEAR(Job().trimStartMs, kDurationMs / 241, 1e-6);
    EXPECT_EQ(Job().stateIcon, JobState::Done);
    EXPECT_EQ(Job().percentDone, 100);
    EXPECT_TRUE(dialog->opened.empty());
}

TEST_F(TrimRange, ANewCurrentJobLeavesThePreviousJobsRange)
{
    UserSets(2000, 3000);
    ASSERT_EQ(Job(0).trimStartMs, 2000.0);
    // The second file cannot be read: its duration is 0, so loading it
    // clamps the slider, and each clamp is a notification.
    const int second = AddSelectedJob(JobState::Queued, QStringLiteral("/nonexistent/second.mp4"));
    dialog->FileList().SetSelectionMark(0);
    dialog->FileCommands().RefreshRow(second);
    EXPECT_EQ(Job(0).trimStartMs, 2000.0);
    EXPECT_EQ(Job(0).trimEndMs, 3000.0);
    EXPECT_EQ(Job(second).trimEndMs, kDurationMs);
}

TEST_F(TrimRange, NothingIsStoredDuringABatchOrWithoutASelectedJob)
{
    dialog->SetConverting(true);
    DragBy(Slider().Model().LeftRect(), 30);
    EXPECT_EQ(Job().trimStartMs, 0.0);
    dialog->SetConverting(false);
    dialog->FileList().SetSelectionMark(-1);
    DragBy(Slider().Model().LeftRect(), 30);
    EXPECT_EQ(Job().trimStartMs, 0.0);
    EXPECT_EQ(Job().stateIcon, JobState::Done);
    EXPECT_TRUE(dialog->opened.empty());
}

TEST_F(TrimRange, EmptyingTheListLoadsTheStartRangeWithoutTouchingAJob)
{
    UserSets(2000, 3000);
    dialog->ResetOutputSettings();
    EXPECT_EQ(Slider().GetMax(), 100.0);
    EXPECT_EQ(Slider().GetRight(), 100.0);
    EXPECT_EQ(Job().trimStartMs, 2000.0);
    EXPECT_EQ(Job().trimEndMs, 3000.0);
}

} // namespace
} // namespace kelvara::test
