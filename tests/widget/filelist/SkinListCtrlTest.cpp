// The skinned list on its own: painting asks the owner for exactly the cells
// it paints, the progress band, literal ampersands, clicks and the header.
#include "skin/CSkinHeaderCtrl.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinListScrollBar.h"
#include "skin/SkinListCellPainting.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace kelvara {
namespace {

class SkinListCtrlTest : public ::testing::Test {
protected:
    SkinListCtrlTest()
    {
        window.resize(760, 200);
        list = new CSkinListCtrl(&window);
        list->setGeometry(10, 10, 700, 135); // the header and 6 rows
        list->SetColumns({ { "A", Qt::AlignLeft, 100 }, { "B", Qt::AlignHCenter, 100 },
            { "Status", Qt::AlignHCenter, 200 } });
        list->SetItemCount(100);
        QObject::connect(
            list, &CSkinListCtrl::ListGetCellInfo, list, [this](CSkinListCtrl*, ListCellInfo& info) {
                asked.insert({ info.row, info.column });
                info.text = QStringLiteral("r%1c%2").arg(info.row).arg(info.column);
                info.backColour = QColor(5, 132, 226);
                info.textColour = Qt::white;
            });
        list->AttachScrollBars();
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        QTest::qWait(20);
        asked.clear();
    }

    QWidget window;
    CSkinListCtrl* list = nullptr;
    std::set<std::pair<int, int>> asked;
};

TEST_F(SkinListCtrlTest, InvalidateCellsRepaintsOnlyVisibleCellsAskedFor)
{
    ASSERT_EQ(list->TopVisibleRow(), 0);
    const int bottom = list->BottomVisibleRow();
    ASSERT_GE(bottom, 4);
    ASSERT_LT(bottom, 10);

    list->InvalidateCells(bottom + 1, 99, 2, CellPart::Whole);
    QTest::qWait(30);
    EXPECT_TRUE(asked.empty()) << "rows below the view repaint nothing";

    list->InvalidateCells(2, 2, 2, CellPart::Whole);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, 1000));
    EXPECT_EQ(asked, (std::set<std::pair<int, int>> { { 2, 2 } })) << "one Status cell, nothing else";

    // A range reaching past the view repaints its visible part only.
    asked.clear();
    list->InvalidateCells(bottom, bottom + 40, 1, CellPart::Whole);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, 1000));
    for (const auto& [row, column] : asked) {
        EXPECT_EQ(column, 1);
        EXPECT_LE(row, bottom);
    }
}

TEST_F(SkinListCtrlTest, ScrollingMovesTheVisibleRowsAndTheThumb)
{
    CSkinVScrollBar* bar = list->VerticalBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(710, 10, 16, 151)) << "right of the list, down to the corner";
    EXPECT_EQ(list->HorizontalBar()->geometry(), QRect(10, 145, 700, 16));
    const int top = bar->ThumbPosition();
    EXPECT_EQ(top, 16);
    // A click on the track below the thumb scrolls a page.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, bar->height() - 40));
    EXPECT_GT(list->TopVisibleRow(), 0);
    list->scrollToBottom();
    EXPECT_EQ(list->BottomVisibleRow(), 99);
    EXPECT_EQ(bar->ThumbPosition(), bar->height() - 32 - 75) << "the thumb stops above the down arrow";
    EXPECT_EQ(bar->ValueAtThumbPosition(16), 0);
    EXPECT_EQ(bar->ValueAtThumbPosition(bar->height() - 32 - 75), list->verticalScrollBar()->maximum());
}

TEST_F(SkinListCtrlTest, ClicksOnCellsAreReportedAndEmptySpaceIsNot)
{
    list->SetItemCount(2);
    QSignalSpy cellClicks(list, &CSkinListCtrl::ListCellClick);
    QSignalSpy clicks(list, &CSkinListCtrl::Clicked);
    const QPoint cell = list->visualRect(list->model()->index(1, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(cellClicks.count(), 1);
    const auto hit = cellClicks.at(0).at(1).value<ListCellHit>();
    EXPECT_EQ(hit.row, 1);
    EXPECT_EQ(hit.column, 1);
    EXPECT_EQ(list->GetSelectionMark(), 1);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(50, 100));
    EXPECT_EQ(cellClicks.count(), 1) << "below the last row";
    EXPECT_EQ(clicks.count(), 2) << "the ordinary click still reaches the owner";
}

TEST_F(SkinListCtrlTest, HeaderRightClickNamesTheColumnUnderTheCursor)
{
    QSignalSpy spy(list, &CSkinListCtrl::ListHeaderRClick);
    QTest::mouseClick(list->Header()->viewport(), Qt::RightButton, {}, QPoint(150, 8));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 1);
    QTest::mouseClick(list->Header()->viewport(), Qt::RightButton, {}, QPoint(650, 8));
    EXPECT_EQ(spy.at(1).at(1).toInt(), -1);
}

TEST_F(SkinListCtrlTest, SelectionShowsOnlyWhileTheListHasTheFocus)
{
    list->SelectRow(3);
    list->clearFocus();
    window.setFocus();
    EXPECT_FALSE(list->CellInfo(3, 0).selected);
    list->SetShowSelAlways(true);
    EXPECT_TRUE(list->CellInfo(3, 1).selected);
    EXPECT_FALSE(list->CellInfo(4, 1).selected);
}

TEST(SkinListCellPainting, ProgressBandIsFullAtOrAboveItsMaximumAndLightestInTheMiddle)
{
    const QRect bar(0, 0, 100, 12);
    EXPECT_EQ(ProgressFilledRect(bar, 150, 100), bar);
    EXPECT_EQ(ProgressFilledRect(bar, 100, 100), bar);
    EXPECT_EQ(ProgressFilledRect(bar, 30, 100).width(), 30);
    EXPECT_TRUE(ProgressFilledRect(bar, 0, 100).isEmpty());

    QImage image(100, 12, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    PaintShadedBand(p, bar, QColor(162, 210, 117));
    p.end();
    const QColor edge = image.pixelColor(50, 0);
    const QColor middle = image.pixelColor(50, 6);
    EXPECT_EQ(edge, QColor(162, 210, 117));
    EXPECT_GT(middle.red(), edge.red() + 20);
    EXPECT_EQ(image.pixelColor(50, 11), edge);
}

TEST(SkinListCellPainting, AmpersandIsDrawnNotTakenAsAMnemonic)
{
    ListCellInfo info;
    info.text = QStringLiteral("&");
    info.textColour = Qt::white;
    info.backColour = Qt::black;
    QImage image(60, 18, QImage::Format_RGB32);
    QPainter p(&image);
    PaintListCell(p, image.rect(), info, QApplication::font(), {});
    p.end();
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += qGray(image.pixel(x, y)) > 128 ? 1 : 0;
    EXPECT_GT(lit, 5);
}

} // namespace
} // namespace kelvara
