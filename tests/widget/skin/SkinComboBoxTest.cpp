// The combo box's keys, its pop-up list's size, place, rows and the posted
// selection change.
#include "SkinTestSupport.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinDropList.h"
#include "skin/CSkinMiniScrollBar.h"
#include "skin/CSkinTextField.h"

#include <QFontMetrics>
#include <QScreen>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

struct ComboFixture : ::testing::Test {
    void SetUp() override
    {
        window.setGeometry(50, 50, 300, 200);
        combo = new CSkinComboBox(&window);
        combo->setGeometry(20, 20, 150, 18);
        other = new CSkinTextField(&window);
        other->setGeometry(20, 120, 100, 20);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        combo->setFocus();
    }
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i)
            combo->addItem(QStringLiteral("Item %1").arg(i));
    }
    int RowHeight() const { return QFontMetrics(combo->font()).height() + 4; }
    QWidget window;
    CSkinComboBox* combo = nullptr;
    CSkinTextField* other = nullptr;
};

using SkinComboBox = ComboFixture;

TEST_F(SkinComboBox, DownOnTheLastItemWrapsAndTellsTheOwnerAfterwards)
{
    Fill(3);
    combo->SetCurSel(2);
    int selectionSeenByOwner = -2;
    QSignalSpy changes(combo, &CSkinComboBox::SelChange);
    QObject::connect(combo, &CSkinComboBox::SelChange, combo,
        [&](CSkinComboBox* c) { selectionSeenByOwner = c->currentIndex(); });
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(changes.count(), 0);
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(selectionSeenByOwner, 0);
    QTest::keyClick(combo, Qt::Key_Left);
    EXPECT_EQ(combo->currentIndex(), 2);
    QTest::keyClick(combo, Qt::Key_Right);
    EXPECT_EQ(combo->currentIndex(), 0);
}

TEST_F(SkinComboBox, OtherKeysAreSwallowedAndSetCurSelIsSilent)
{
    Fill(3);
    QSignalSpy changes(combo, &CSkinComboBox::SelChange);
    QTest::keyClick(combo, Qt::Key_A);
    QTest::keyClick(combo, Qt::Key_Escape);
    combo->SetCurSel(1);
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_FALSE(combo->IsOpen());
}

TEST_F(SkinComboBox, ReturnOrAClickOpensAndAClickCloses)
{
    Fill(3);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(combo->IsOpen());
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, QPoint(10, 9));
    EXPECT_FALSE(combo->IsOpen());
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, QPoint(10, 9));
    EXPECT_TRUE(combo->IsOpen());
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_FALSE(combo->IsOpen());
}

TEST_F(SkinComboBox, EmptyListIsTwentyFourHighAndIgnoresClicks)
{
    combo->Open();
    CSkinDropList* list = combo->DropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->height(), CSkinDropList::kEmptyHeight);
    EXPECT_EQ(list->Rows().Count(), 0);
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 12));
    EXPECT_TRUE(combo->IsOpen());
}

TEST_F(SkinComboBox, ListIsMeasuredToItsRows)
{
    Fill(3);
    combo->Open();
    const CSkinDropList* list = combo->DropList();
    EXPECT_EQ(list->height(), 3 * RowHeight() + 5);
    EXPECT_EQ(list->width(), 150);
    EXPECT_FALSE(list->HasScrollBar());
    EXPECT_EQ(list->Rows().Row(1).top(), RowHeight() + 3);
    EXPECT_EQ(list->Rows().Row(1).left(), 5);
    EXPECT_EQ(list->Rows().Row(1).right() + 1, 150 - 5);
}

TEST_F(SkinComboBox, LongListGetsAScrollBarAndShowsTheRowsThatFit)
{
    Fill(30);
    combo->SetDroppedHeight(100);
    combo->Open();
    const CSkinDropList* list = combo->DropList();
    const int fitting = (100 - 6) / RowHeight();
    EXPECT_TRUE(list->HasScrollBar());
    EXPECT_EQ(list->VisibleRows(), fitting);
    EXPECT_EQ(list->height(), fitting * RowHeight() + 5);
    EXPECT_EQ(list->width(), 160);
    ASSERT_NE(list->ScrollBar(), nullptr);
    EXPECT_EQ(list->ScrollBar()->geometry(), QRect(160 - 13, 3, 10, list->height() - 6));
    EXPECT_EQ(list->ScrollBar()->Range(), 3000);
    EXPECT_EQ(list->ScrollBar()->Page(), fitting * 100);
}

TEST_F(SkinComboBox, UpFromTheFirstRowWrapsToTheLastAndScrollsToIt)
{
    Fill(30);
    combo->SetDroppedHeight(100);
    combo->Open();
    CSkinDropList* list = combo->DropList();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(list->HotItem(), 0);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(list->HotItem(), 29);
    EXPECT_EQ(list->ScrollOffset(), RowHeight() * (30 - list->VisibleRows()));
    EXPECT_EQ(list->ScrollBar()->Pos(), (30 - list->VisibleRows()) * 100);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(list->HotItem(), 0);
    EXPECT_EQ(list->ScrollOffset(), 0);
}

TEST_F(SkinComboBox, ScrollBarScrollsTheRows)
{
    Fill(30);
    combo->SetDroppedHeight(100);
    combo->Open();
    CSkinDropList* list = combo->DropList();
    CSkinMiniScrollBar* bar = list->ScrollBar();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, bar->height() - 2));
    EXPECT_EQ(bar->Pos(), list->VisibleRows() * 100);
    QApplication::processEvents();
    EXPECT_EQ(list->ScrollOffset(), list->VisibleRows() * RowHeight());
}

TEST_F(SkinComboBox, ReturnChoosesTheHotRow)
{
    Fill(5);
    QSignalSpy changes(combo, &CSkinComboBox::SelChange);
    QTest::keyClick(combo, Qt::Key_Return);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->currentIndex(), 1);
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(SkinComboBox, ClickOnARowChoosesItEvenWhenAlreadySelected)
{
    Fill(4);
    combo->SetCurSel(2);
    QSignalSpy changes(combo, &CSkinComboBox::SelChange);
    combo->Open();
    CSkinDropList* list = combo->DropList();
    const QPoint onRow2 = list->Rows().Row(2).center();
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, onRow2);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(changes.count(), 0);
    QApplication::processEvents();
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(SkinComboBox, MouseMovesAfterOpeningAreIgnoredAtFirst)
{
    Fill(4);
    combo->Open();
    CSkinDropList* list = combo->DropList();
    const QPoint onRow1 = list->Rows().Row(1).center();
    auto moveOnRow = [&] {
        QMouseEvent move(QEvent::MouseMove, QPointF(onRow1), list->mapToGlobal(QPointF(onRow1)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list, &move);
    };
    for (int i = 0; i < CSkinDropList::kIgnoredMoves; ++i)
        moveOnRow();
    EXPECT_EQ(list->HotItem(), -1);
    moveOnRow();
    EXPECT_EQ(list->HotItem(), 1);
}

TEST_F(SkinComboBox, FocusMovingToAnotherControlClosesTheList)
{
    Fill(3);
    combo->Open();
    ASSERT_TRUE(combo->IsOpen());
    other->setFocus();
    EXPECT_FALSE(combo->IsOpen());
}

TEST(SkinDropListPlacement, BelowTheComboNormally)
{
    EXPECT_EQ(CSkinDropList::Placement(QRect(100, 100, 150, 18), QSize(150, 60), QSize(800, 600)),
        QPoint(100, 118));
}

TEST(SkinDropListPlacement, AboveTheComboNearTheBottomOfTheScreen)
{
    // 118 + 60 passes 600 - 50 when the combo sits at 500.
    EXPECT_EQ(CSkinDropList::Placement(QRect(100, 500, 150, 18), QSize(150, 60), QSize(800, 600)),
        QPoint(100, 500 + 18 - 18 - 60 - 2));
}

TEST(SkinDropListPlacement, WiderListIsRightAlignedAndKeptOnTheScreen)
{
    EXPECT_EQ(CSkinDropList::Placement(QRect(300, 100, 100, 18), QSize(180, 60), QSize(800, 600)),
        QPoint(400 - 180, 118));
    EXPECT_EQ(CSkinDropList::Placement(QRect(20, 100, 100, 18), QSize(180, 60), QSize(800, 600)).x(), 0);
    EXPECT_EQ(CSkinDropList::Placement(QRect(700, 100, 150, 18), QSize(150, 60), QSize(800, 600)).x(), 650);
}

TEST_F(SkinComboBox, OpenListNearTheBottomGoesAbove)
{
    Fill(3);
    const QRect screen = window.screen()->geometry();
    window.move(50, screen.height() - 80);
    ASSERT_TRUE(kelvara::testing::WaitFor([&] { return window.pos().y() == screen.height() - 80; }));
    combo->Open();
    const QPoint comboTop = combo->mapToGlobal(QPoint(0, 0));
    EXPECT_LT(combo->DropList()->geometry().bottom(), comboTop.y());
}

} // namespace
