// The countdown before the computer is turned off: it counts, it accepts
// only when it runs out, and every way of answering it cancels.
#include "SkinTestSupport.h"
#include "skin/CCountdownMessageBox.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinIconStatic.h"
#include "skin/CSkinLabel.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace kelvara;

namespace {

TEST(CountdownMessageBox, StartsAtSixtySecondsWithOneCancelButton)
{
    CCountdownMessageBox box(nullptr);
    EXPECT_EQ(box.TextLabel()->Text(), QStringLiteral("The computer will be turned off in 60 seconds."));
    EXPECT_EQ(box.CaptionLabel()->Text(), QStringLiteral("Warning"));
    EXPECT_EQ(box.IconStatic()->Icon().toImage(), LoadSkinIcon(skin_id::WarningIcon).toImage());
    EXPECT_EQ(box.FirstButton()->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(box.SecondButton()->isHidden());
}

TEST(CountdownMessageBox, CountsDownTheShownSeconds)
{
    CCountdownMessageBox box(nullptr, 5, 30ms);
    box.show();
    ASSERT_TRUE(kelvara::testing::WaitFor([&] { return box.SecondsLeft() <= 3; }));
    EXPECT_EQ(box.TextLabel()->Text(), CCountdownMessageBox::TextFor(box.SecondsLeft()));
    EXPECT_TRUE(box.isVisible());
    box.OnCancel();
}

TEST(CountdownMessageBox, RunningOutAccepts)
{
    CCountdownMessageBox box(nullptr, 3, 10ms);
    EXPECT_EQ(box.exec(), box_style::IdOk);
    EXPECT_EQ(box.Result(), box_style::IdOk);
    EXPECT_EQ(box.SecondsLeft(), 0);
}

TEST(CountdownMessageBox, CancelButtonStopsTheCount)
{
    CCountdownMessageBox box(nullptr, 60, 1s);
    QTimer::singleShot(50, &box,
        [&box] { QTest::mouseClick(box.FirstButton(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); });
    EXPECT_EQ(box.exec(), box_style::IdCancel);
    EXPECT_EQ(box.SecondsLeft(), 60);
}

TEST(CountdownMessageBox, EnterEscapeAndCloseCancel)
{
    for (const int key : { int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape) }) {
        CCountdownMessageBox box(nullptr, 60, 1s);
        QTimer::singleShot(20, &box, [&box, key] { QTest::keyClick(&box, Qt::Key(key)); });
        EXPECT_EQ(box.exec(), box_style::IdCancel) << key;
    }
    CCountdownMessageBox box(nullptr, 60, 1s);
    QTimer::singleShot(20, &box,
        [&box] { QTest::mouseClick(box.CloseButton(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5)); });
    EXPECT_EQ(box.exec(), box_style::IdCancel);
}

TEST(CountdownMessageBox, CancelledBoxIsNoLongerCounting)
{
    CCountdownMessageBox box(nullptr, 2, 20ms);
    box.show();
    box.OnCancel();
    QTest::qWait(120);
    EXPECT_EQ(box.Result(), box_style::IdCancel);
    EXPECT_EQ(box.SecondsLeft(), 2);
}

} // namespace
