// The two-thumb range slider: normalisation, positions, dragging the thumbs
// and the bar, the arrow keys, the notifications of each, and the slider as a
// widget (mouse, keys, painting, accessibility).
#include "SkinTestSupport.h"
#include "skin/CRangeSlider.h"
#include "skin/RangeSliderModel.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QAccessible>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// The dialog's slider is 267 pixels wide: 241 of them carry values.
constexpr int kWidth = 267;
constexpr int kHeight = 17;
constexpr int kTrack = kWidth - 26;

// A model laid out like the dialog's slider over 0 .. max.
RangeSliderModel LaidOut(double max, double left, double right)
{
    RangeSliderModel model;
    model.SetMinMax(0, max);
    model.SetRange(left, right);
    model.Layout(kWidth, kHeight);
    return model;
}

// One value per pixel, so positions and values read alike.
RangeSliderModel PixelModel(double left, double right)
{
    return LaidOut(kTrack, left, right);
}

RangeNotice N(int part, bool final = false)
{
    return { part, final };
}

// A drag as the mouse makes it: press at `from`, moves to each x, release.
RangeNotices Drag(RangeSliderModel& model, QPoint from, std::initializer_list<int> xs)
{
    RangeNotices all;
    EXPECT_TRUE(model.Press(from));
    for (const int x : xs)
        for (const RangeNotice& n : model.Move(x))
            all.push_back(n);
    for (const RangeNotice& n : model.Release())
        all.push_back(n);
    return all;
}

QPoint CentreOf(const QRect& r)
{
    return { (r.left() + r.right() + 1) / 2, kHeight / 2 };
}

} // namespace

TEST(RangeSliderModel, SetRangeBeyondBothEndsIsClampedWithTwoNotifications)
{
    RangeSliderModel model;
    model.SetMinMax(0, 100);
    EXPECT_EQ(model.SetRange(-5, 200), (RangeNotices { N(0), N(1) }));
    EXPECT_EQ(model.Left(), 0.0);
    EXPECT_EQ(model.Right(), 100.0);
    EXPECT_TRUE(model.SetRange(10, 90).empty()) << "values inside the range are no change to report";
}

TEST(RangeSliderModel, NarrowerMinMaxPullsBothEndsInside)
{
    RangeSliderModel model;
    model.SetMinMax(100, 0);
    EXPECT_EQ(model.Min(), 0.0) << "the smaller argument is the minimum";
    EXPECT_EQ(model.Max(), 100.0);
    model.SetRange(60, 80);
    EXPECT_EQ(model.SetMinMax(0, 50), (RangeNotices { N(1), N(0) }));
    EXPECT_EQ(model.Left(), 50.0);
    EXPECT_EQ(model.Right(), 50.0);
    EXPECT_EQ(model.SetMinMax(70, 90), (RangeNotices { N(0), N(1) }));
    EXPECT_EQ(model.Left(), 70.0);
    EXPECT_EQ(model.Right(), 70.0);
}

TEST(RangeSliderModel, PositionsRoundToThePixelAndPlaceBothThumbs)
{
    const RangeSliderModel model = LaidOut(1000, 250, 999);
    EXPECT_EQ(model.TrackLength(), kTrack);
    EXPECT_EQ(model.LeftPixel(), 60) << "241 x 0.25 = 60.25";
    EXPECT_EQ(model.RightPixel(), 241) << "240.759 rounds up";
    EXPECT_EQ(model.LeftRect(), QRect(60, 0, 13, kHeight));
    EXPECT_EQ(model.RightRect(), QRect(241 + 13, 0, 13, kHeight));
    EXPECT_EQ(model.MiddleRect().left(), 60 + 14);
    EXPECT_EQ(model.MiddleRect().right(), 241 + 12);
}

TEST(RangeSliderModel, ThumbsDraggedPastEachOtherStopAtTheOther)
{
    RangeSliderModel model = PixelModel(50, 150);
    // The press is off the thumb's centre: the thumb keeps that offset.
    const QPoint onLeft(model.LeftRect().left() + 2, 8);
    EXPECT_EQ(Drag(model, onLeft, { onLeft.x() + 10 }), (RangeNotices { N(0), N(0, true) }));
    EXPECT_DOUBLE_EQ(model.Left(), 60.0);
    model.Layout(kWidth, kHeight);
    Drag(model, CentreOf(model.LeftRect()), { 230 });
    EXPECT_EQ(model.Left(), 150.0);

    model = PixelModel(50, 150);
    Drag(model, CentreOf(model.RightRect()), { 5 });
    EXPECT_EQ(model.Right(), 50.0);
    EXPECT_EQ(model.Left(), 50.0);
}

TEST(RangeSliderModel, ThumbsStopAtTheEnds)
{
    RangeSliderModel model = PixelModel(50, 150);
    Drag(model, CentreOf(model.LeftRect()), { -40 });
    EXPECT_EQ(model.Left(), 0.0);
    model.Layout(kWidth, kHeight);
    Drag(model, CentreOf(model.RightRect()), { 400 });
    EXPECT_EQ(model.Right(), double(kTrack));
}

TEST(RangeSliderModel, RightThumbReportsPartOneOnlyWhenTheEndMoved)
{
    RangeSliderModel model = PixelModel(50, kTrack);
    const QPoint grab = CentreOf(model.RightRect());
    EXPECT_EQ(Drag(model, grab, { grab.x() + 5, grab.x() - 10, grab.x() - 10 }),
        (RangeNotices { N(0), N(1), N(0), N(1, true) }));
}

TEST(RangeSliderModel, BarDraggedAgainstEitherEndKeepsItsWidth)
{
    RangeSliderModel model = LaidOut(65432.9, 20000.25, 31234.5);
    const double width = 31234.5 - 20000.25;
    EXPECT_EQ(Drag(model, CentreOf(model.MiddleRect()), { -300 }), (RangeNotices { N(2), N(2, true) }));
    EXPECT_EQ(model.Left(), 0.0);
    EXPECT_DOUBLE_EQ(model.Right(), width);
    model.Layout(kWidth, kHeight);
    Drag(model, CentreOf(model.MiddleRect()), { 900 });
    EXPECT_EQ(model.Right(), 65432.9);
    EXPECT_NEAR(model.Right() - model.Left(), width, 1e-9);
}

TEST(RangeSliderModel, ReleaseIsFinalEvenWhenNothingMovedAndOnlyAfterAPress)
{
    RangeSliderModel model = PixelModel(50, 150);
    EXPECT_TRUE(model.Release().empty());
    EXPECT_FALSE(model.Press({ 5, 8 })) << "between the track's start and the left thumb";
    EXPECT_TRUE(model.Move(100).empty());
    EXPECT_EQ(Drag(model, CentreOf(model.RightRect()), {}), (RangeNotices { N(1, true) }));
    EXPECT_EQ(model.Left(), 50.0);
    EXPECT_EQ(model.Right(), 150.0);
}

TEST(RangeSliderModel, ArrowKeysMoveByOnePixelAndAlwaysNotify)
{
    RangeSliderModel model = LaidOut(2410, 500, 1000);
    EXPECT_EQ(model.Arrow(true, false), (RangeNotices { N(2) }));
    EXPECT_DOUBLE_EQ(model.Left(), 510.0);
    EXPECT_DOUBLE_EQ(model.Right(), 1010.0);
    EXPECT_EQ(model.Arrow(false, true), (RangeNotices { N(0) })) << "Shift moves the end alone";
    EXPECT_DOUBLE_EQ(model.Left(), 510.0);
    EXPECT_DOUBLE_EQ(model.Right(), 1000.0);
}

TEST(RangeSliderModel, ArrowKeysAtTheEndsLeaveTheValuesButStillNotify)
{
    RangeSliderModel model = LaidOut(2410, 0, 2410);
    EXPECT_EQ(model.Arrow(true, true), (RangeNotices { N(0) }));
    EXPECT_EQ(model.Arrow(false, false), (RangeNotices { N(2) }));
    EXPECT_EQ(model.Left(), 0.0);
    EXPECT_EQ(model.Right(), 2410.0);

    model = LaidOut(2410, 700, 700);
    EXPECT_EQ(model.Arrow(false, true), (RangeNotices { N(0) }));
    EXPECT_EQ(model.Right(), 700.0) << "the end never passes the start";
}

TEST(RangeSliderModel, ArrowKeysDoNothingWithoutAValuePerPixel)
{
    RangeSliderModel empty = LaidOut(0, 0, 0);
    EXPECT_TRUE(empty.Arrow(true, false).empty());
    RangeSliderModel unpainted;
    EXPECT_TRUE(unpainted.Arrow(true, false).empty());
}

class RangeSliderWidget : public ::testing::Test {
protected:
    void SetUp() override
    {
        slider.resize(kWidth, kHeight);
        slider.SetMinMax(0, kTrack);
        slider.SetRange(50, 150);
        slider.show();
        slider.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&slider));
        kelvara::testing::Grab(slider);
    }
    QList<QList<QVariant>> Notices() const { return spy; }

    CRangeSlider slider;
    QSignalSpy spy { &slider, &CRangeSlider::RangeChanged };
};

TEST_F(RangeSliderWidget, MouseDragNotifiesEachMoveAndTheRelease)
{
    const QPoint grab = CentreOf(slider.Model().LeftRect());
    QTest::mousePress(&slider, Qt::LeftButton, {}, grab);
    QTest::mouseMove(&slider, grab + QPoint(5, 0));
    QTest::mouseMove(&slider, grab + QPoint(12, 0));
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, grab + QPoint(12, 0));
    EXPECT_DOUBLE_EQ(slider.GetLeft(), 62.0);
    EXPECT_TRUE(slider.hasFocus()) << "a press takes the focus, so the keys work next";
    const QList<QList<QVariant>> expected { { 0, false }, { 0, false }, { 0, true } };
    EXPECT_EQ(Notices(), expected);
}

TEST_F(RangeSliderWidget, KeysNotifyAsTheTableSaysAndCtrlIsIgnored)
{
    slider.setFocus();
    QTest::keyClick(&slider, Qt::Key_Right);
    QTest::keyClick(&slider, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&slider, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(&slider, Qt::Key_Up);
    const QList<QList<QVariant>> expected { { 2, false }, { 0, false } };
    EXPECT_EQ(Notices(), expected);
    EXPECT_EQ(slider.GetLeft(), 51.0);
    EXPECT_EQ(slider.GetRight(), 152.0);
}

TEST_F(RangeSliderWidget, PaintsTheThumbsAndTheBarFromTheSkinBitmaps)
{
    const QImage shot = kelvara::testing::Grab(slider);
    const QImage left = LoadSkinImage(skin_id::SliderLeftThumb).convertToFormat(QImage::Format_RGB32);
    const QImage right = LoadSkinImage(skin_id::SliderRightThumb).convertToFormat(QImage::Format_RGB32);
    const QImage bar = LoadSkinImage(skin_id::SliderBar).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(left.size(), QSize(13, 17));
    EXPECT_EQ(shot.pixel(50 + 6, 8), left.pixel(6, 8));
    EXPECT_EQ(shot.pixel(150 + 13 + 6, 8), right.pixel(6, 8));
    EXPECT_EQ(shot.pixel(100, 8), bar.pixel(1, 3)) << "the bar is stretched between the thumbs";
}

TEST_F(RangeSliderWidget, ScreenReadersReadBothEnds)
{
    slider.setAccessibleName(QStringLiteral("Trim range"));
    slider.SetMinMax(0, 65432.9);
    slider.SetRange(1000, 65432.9);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&slider);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Slider);
    EXPECT_EQ(face->text(QAccessible::Name), "Trim range");
    EXPECT_EQ(face->text(QAccessible::Value), "1000 to 65432.9");
    ASSERT_NE(face->valueInterface(), nullptr);
    EXPECT_EQ(face->valueInterface()->maximumValue().toDouble(), 65432.9);
}
