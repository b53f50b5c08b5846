// The list box and the small scroll bar.
#include "SkinTestSupport.h"
#include "skin/CSkinListBox.h"
#include "skin/CSkinMiniScrollBar.h"
#include "skin/SkinFont.h"

#include <QFontMetrics>

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

struct ListFixture : ::testing::Test {
    void SetUp() override
    {
        window.resize(240, 200);
        list = new CSkinListBox(&window);
        list->setGeometry(10, 10, 160, 80);
        for (int i = 0; i < 8; ++i)
            list->AddString(QStringLiteral("Profile %1").arg(i));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        list->setFocus();
    }
    QWidget window;
    CSkinListBox* list = nullptr;
};

using SkinListBox = ListFixture;

TEST_F(SkinListBox, DownFromTheLastItemWrapsToTheFirst)
{
    list->SetItemFlag(7, true);
    QSignalSpy changes(list, &CSkinListBox::SelChange);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_FALSE(list->ItemFlag(7));
    EXPECT_EQ(list->ScrollOffset(), 0);
    EXPECT_EQ(changes.count(), 0); // posted
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(SkinListBox, UpWithNothingSelectedPicksTheLastAndScrollsToIt)
{
    ASSERT_TRUE(list->HasScrollBar());
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->GetCurSel(), 7);
    const int rowHeight = QFontMetrics(SkinFont(11, true)).height() + 4;
    EXPECT_LT(list->VisibleRows(), 8);
    EXPECT_EQ(list->ScrollOffset(), rowHeight * (8 - list->VisibleRows()));
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->GetCurSel(), 6);
}

TEST_F(SkinListBox, DownWithNothingSelectedPicksTheFirst)
{
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetCurSel(), 0);
}

TEST_F(SkinListBox, ClickSelectsOneRowAndDoubleClickAlsoReportsIt)
{
    list->SetItemFlag(3, true);
    QSignalSpy changes(list, &CSkinListBox::SelChange);
    QSignalSpy doubles(list, &CSkinListBox::dblClk);
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, QPoint(30, 6));
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_FALSE(list->ItemFlag(3));
    QTest::mouseDClick(list, Qt::LeftButton, Qt::NoModifier, QPoint(30, 6));
    QApplication::processEvents();
    EXPECT_GE(changes.count(), 2);
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(SkinListBox, HoldsAtMost200Items)
{
    list->ResetContent();
    for (int i = 0; i < CSkinListBox::kMaxItems; ++i)
        ASSERT_EQ(list->AddString(QString::number(i)), i);
    EXPECT_EQ(list->AddString(QStringLiteral("one more")), -1);
    EXPECT_EQ(list->GetCount(), CSkinListBox::kMaxItems);
}

struct BarFixture : ::testing::Test {
    void SetUp() override
    {
        bar.resize(10, 110);
        bar.SetRange(1000, 300); // ten rows, three visible
        bar.show();
    }
    CSkinMiniScrollBar bar;
};

using SkinMiniScrollBar = BarFixture;

TEST_F(SkinMiniScrollBar, PositionIsClampedToTheRange)
{
    bar.SetPos(900);
    EXPECT_EQ(bar.Pos(), 700);
    bar.SetPos(-5);
    EXPECT_EQ(bar.Pos(), 0);
}

TEST_F(SkinMiniScrollBar, PressesBesideTheThumbPageAndArePosted)
{
    QSignalSpy moves(&bar, &CSkinMiniScrollBar::MiniScroll);
    const int thumbEnd = bar.ThumbStart() + bar.ThumbLength();
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, thumbEnd + 9));
    EXPECT_EQ(bar.Pos(), 300);
    EXPECT_EQ(moves.count(), 0);
    QApplication::processEvents();
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves.at(0).at(0).toInt(), 300);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, bar.ThumbStart() + 1));
    EXPECT_EQ(bar.Pos(), 0);
}

TEST_F(SkinMiniScrollBar, DraggingTheThumbFollowsTheMouse)
{
    const int y = bar.ThumbStart() + bar.ThumbLength() / 2;
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, y));
    QTest::mouseMove(&bar, QPoint(5, y + 47)); // 47 / (110 - 16) of the range
    EXPECT_EQ(bar.Pos(), 500);
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, y + 47));
    QTest::mouseMove(&bar, QPoint(5, y + 90));
    EXPECT_EQ(bar.Pos(), 500);
}

TEST_F(SkinMiniScrollBar, PageKeysMoveByAPage)
{
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    EXPECT_EQ(bar.Pos(), 700);
    QTest::keyClick(&bar, Qt::Key_PageUp);
    EXPECT_EQ(bar.Pos(), 400);
}

} // namespace
