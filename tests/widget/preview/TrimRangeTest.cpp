// The preview panel's trim range: the slider writes the selected job's start
// and end, a finished drag stores whole milliseconds, queues the job again
// and shows the new start or end in the preview, and the panel's own loads
// of the slider change no job.
#include "PreviewFakes.h"
#include "skin/CRangeSlider.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

constexpr double kDurationMs = 65432.9;
const std::string kSource = "/media/holiday.mp4";

class TrimRange : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.component.durations[kSource] = kDurationMs / 1000;
        // The trim range's size in the main window.
        Slider().setGeometry(0, 0, 267, 17);
        f.window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.window));
        // A converted job of the whole file, selected and loaded.
        f.AddSelectedJob(kSource, 0, kDurationMs);
        f.host.jobs.Update(0, [](JobRecord& job) {
            job.stateIcon = JobState::Done;
            job.percentDone = 100;
        });
        f.panel.LoadTrimRange(kDurationMs, 0, kDurationMs);
        // The geometry the mouse works with is the last painted one.
        Slider().repaint();
    }
    CRangeSlider& Slider() { return f.panel.TrimSlider(); }
    JobRecord Job() { return f.host.jobs.GetAt(0); }
    const auto& Opened() { return f.component.openedAt; }
    // A change of the range as the user makes it: the slider moves, then
    // tells the panel.
    void UserSets(double left, double right)
    {
        Slider().SetRange(left, right);
        f.panel.OnTrimRangeChanged(2, false);
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

    PreviewPanelFixture f;
};

TEST_F(TrimRange, LeftThumbAtTheLeftEndStoresOneMillisecondAndShowsThatMoment)
{
    Slider().SetRange(5000, kDurationMs);
    Slider().repaint();
    DragBy(Slider().Model().LeftRect(), -300);
    EXPECT_EQ(Job().trimStartMs, 1.0);
    EXPECT_EQ(Job().trimEndMs, 65432.0);
    EXPECT_EQ(Job().positionMs, 1.0);
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_EQ(Opened()[0].first, kSource);
    EXPECT_DOUBLE_EQ(Opened()[0].second, 0.001);
    EXPECT_EQ(f.host.redrawn, (std::vector { JobColumn::SplitSpan, JobColumn::Icon, JobColumn::Status }))
        << "the new span, and the job queued again";
}

TEST_F(TrimRange, RightThumbReleasedStoresWholeMillisecondsButShowsTheExactEnd)
{
    // The end is already at 65 432.9 ms: the release alone reports it.
    DragBy(Slider().Model().RightRect(), 0);
    EXPECT_EQ(Job().trimEndMs, 65432.0);
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_DOUBLE_EQ(Opened()[0].second, 65.4329);
}

TEST_F(TrimRange, DuringADragTheJobHoldsFractionalMillisecondsAndWholeOnesAfter)
{
    DragBy(Slider().Model().LeftRect(), 37, false);
    const double during = Job().trimStartMs;
    EXPECT_EQ(during, Slider().GetLeft());
    EXPECT_NE(during, std::trunc(during)) << "65432.9 / 241 per pixel leaves a fraction";
    EXPECT_TRUE(Opened().empty()) << "the preview waits for the release";
    EXPECT_EQ(Job().stateIcon, JobState::Done) << "nor is the job queued while the thumb moves";
    EXPECT_TRUE(f.host.redrawn.empty());
    QTest::mouseRelease(&Slider(), Qt::LeftButton, {}, Slider().Model().LeftRect().center());
    EXPECT_EQ(Job().trimStartMs, std::trunc(during));
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_DOUBLE_EQ(Opened()[0].second, during * 0.001);
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
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_NEAR(Opened()[0].second, Job().trimStartMs * 0.001, 0.001);
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
    EXPECT_TRUE(Opened().empty());
}

TEST_F(TrimRange, EachKeyShowsTheNewSpanInTheListAtOnce)
{
    Slider().setFocus();
    for (const Qt::KeyboardModifier modifiers : { Qt::NoModifier, Qt::ShiftModifier }) {
        f.host.redrawn.clear();
        QTest::keyClick(&Slider(), Qt::Key_Left, modifiers);
        EXPECT_EQ(f.host.redrawn, std::vector { JobColumn::SplitSpan }) << modifiers;
    }
}

TEST_F(TrimRange, LoadsOfTheSliderLeaveTheSelectedJobsRange)
{
    UserSets(2000, 3000);
    ASSERT_EQ(Job().trimStartMs, 2000.0);
    // An unreadable file's duration is 0, so loading it clamps the slider,
    // and each clamp is a notification; an emptied list loads 0..100.
    struct Load {
        double durationMs, startMs, endMs;
    };
    for (const Load load : { Load { 0.0, 0.0, kDurationMs }, Load { 100.0, 0.0, 100.0 } }) {
        f.panel.LoadTrimRange(load.durationMs, load.startMs, load.endMs);
        EXPECT_EQ(Slider().GetMax(), load.durationMs);
        EXPECT_EQ(Job().trimStartMs, 2000.0);
        EXPECT_EQ(Job().trimEndMs, 3000.0);
    }
}

TEST_F(TrimRange, NothingIsStoredDuringABatchOrWithoutASelectedJob)
{
    f.host.converting = true;
    DragBy(Slider().Model().LeftRect(), 30);
    EXPECT_EQ(Job().trimStartMs, 0.0);
    f.host.converting = false;
    f.host.selected = -1;
    DragBy(Slider().Model().LeftRect(), 30);
    EXPECT_EQ(Job().trimStartMs, 0.0);
    EXPECT_EQ(Job().stateIcon, JobState::Done);
    EXPECT_TRUE(Opened().empty());
}

} // namespace
} // namespace kelvara::testing
