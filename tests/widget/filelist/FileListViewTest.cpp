// The file list's cells as the jobs and the dialog's output choice make them,
// and what a screen reader finds in them.
#include "FileListFixture.h"

#include <QAccessible>
#include <QAccessibleTableInterface>

namespace kelvara {
namespace {

class FileListViewTest : public FileListFixture { };

TEST_F(FileListViewTest, EveryColumnShowsTheJobAtPaintTime)
{
    prober.infos["/media/Rock & Roll.mp4"] = MediaInfo { true, 120.0, 640, 480 };
    Add({ "/media/Rock & Roll.mp4" });
    JobRecord job = jobs.GetAt(0);
    job.trimStartMs = 90000;
    job.trimEndMs = 120000;
    jobs.SetAt(0, job);

    EXPECT_EQ(list->CellInfo(0, 0).imageIndex, 3) << "queued";
    EXPECT_EQ(list->CellInfo(0, 1).text, "/media/Rock & Roll.mp4");
    EXPECT_EQ(list->CellInfo(0, 2).text, "00:01:30<-->00:02:00|[00:00:30]");
    EXPECT_EQ(list->CellInfo(0, 3).text, "640x480");
    EXPECT_EQ(list->CellInfo(0, 4).text, "Rock & Roll.avi");
    EXPECT_EQ(list->CellInfo(0, 5).text, "");
    EXPECT_EQ(list->CellInfo(0, 5).progressMax, 100) << "the component's bar before it starts";
    for (int column = 0; column < 6; ++column) {
        const ListCellInfo info = list->CellInfo(0, column);
        EXPECT_EQ(info.textColour, QColor(255, 255, 255));
        EXPECT_EQ(info.backColour, QColor(5, 132, 226));
        EXPECT_EQ(info.selTextColour, QColor(0x33, 0x33, 0x33));
        EXPECT_EQ(info.selBackFocused, QColor(0xD0, 0xD4, 0xD9));
        EXPECT_EQ(info.selBackUnfocused, QColor(0x19, 0x19, 0x82));
    }

    // Nothing is cached: a new output kind renames every row at the next paint.
    host.kind = OutputKind { OutputCategory::Audio, static_cast<int>(AudioKind::Wav) };
    EXPECT_EQ(list->CellInfo(0, 4).text, "Rock & Roll.wav");
    job.stage = JobStage::Encoding;
    job.encodedSeconds = 15.0;
    job.encodedSizeKb = 90;
    job.encodeSpeed = 3.0; // 15 media seconds left take 5 s
    job.positionMs = job.trimStartMs; // as a batch start leaves it
    jobs.SetAt(0, job);
    const ListCellInfo status = list->CellInfo(0, 5);
    EXPECT_EQ(status.text, "  50%    Remain Time:00:00:05");
    EXPECT_EQ(status.progressPos, 50);
}

TEST_F(FileListViewTest, FailedJobShowsItsReasonToScreenReaders)
{
    Add({ "/media/a.mp4", "/media/b.mp4" });
    JobRecord job = jobs.GetAt(1);
    job.failed = true;
    job.run.Fail("the encoder could not write the output", RunRecord::Clock::now());
    jobs.SetAt(1, job);
    EXPECT_EQ(list->CellInfo(1, 0).imageIndex, kFailedStateIcon);
    EXPECT_EQ(list->CellInfo(1, 5).text, "Failed");
    // The row tells its whole path, and below it why the job failed.
    EXPECT_EQ(list->model()->index(1, 1).data(Qt::ToolTipRole).toString(),
        "/media/b.mp4\nfailed: the encoder could not write the output");
    EXPECT_EQ(list->model()->index(0, 1).data(Qt::ToolTipRole).toString(), "/media/a.mp4");

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->rowCount(), 2);
    EXPECT_EQ(cells->columnCount(), 6);
    QAccessibleInterface* header = cells->cellAt(0, 5)->tableCellInterface()->columnHeaderCells().value(0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text(QAccessible::Name), "Status");
    EXPECT_EQ(cells->cellAt(1, 5)->text(QAccessible::Name), "Failed");
    EXPECT_EQ(cells->cellAt(1, 1)->text(QAccessible::Name), "/media/b.mp4");
    EXPECT_EQ(cells->cellAt(1, 0)->text(QAccessible::Name), "Failed");
    EXPECT_EQ(cells->cellAt(0, 0)->text(QAccessible::Name), "Queued");
    EXPECT_EQ(cells->cellAt(1, 2)->text(QAccessible::Description),
        "/media/b.mp4\nfailed: the encoder could not write the output");
}

TEST_F(FileListViewTest, RedrawCellRepaintsThatCellOnly)
{
    Add(Paths(50));
    list->scrollToTop();
    QTest::qWait(30);
    std::vector<std::pair<int, int>> asked;
    QObject::connect(list, &CSkinListCtrl::ListGetCellInfo, list,
        [&](CSkinListCtrl*, ListCellInfo& info) { asked.emplace_back(info.row, info.column); });
    view->RedrawCell(1, JobColumn::Status);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, 1000));
    QTest::qWait(20);
    for (const auto& cell : asked)
        EXPECT_EQ(cell, std::make_pair(1, 5));
    asked.clear();
    view->RedrawCell(40, JobColumn::Status);
    QTest::qWait(30);
    EXPECT_TRUE(asked.empty());
}

} // namespace
} // namespace kelvara
