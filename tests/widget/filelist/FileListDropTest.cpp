// What a desktop user does to the file list besides its buttons: dropping
// files and folders on it, the Delete key, and the row's context menu.
#include "FileListFixture.h"

#include "support/TempFolder.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMimeData>

#include <filesystem>
#include <fstream>

namespace kelvara {
namespace {

class FileListDropTest : public FileListFixture {
protected:
    QString Make(const std::string& relative)
    {
        const std::filesystem::path path = m_folder.Path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "media";
        prober.infos[path.string()] = MediaInfo { true, 4.0, 160, 120 };
        return QString::fromStdString(path.string());
    }
    QString Folder(const std::string& relative) const
    {
        return QString::fromStdString((m_folder.Path() / relative).string());
    }

    // A drag that enters the list and is dropped on its second row, as the
    // desktop delivers it; whether the list took the drag and the drop.
    std::pair<bool, bool> Drop(const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        const QPointF at(60, 30);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &move);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(list->viewport(), &drop);
        const bool added = drop.isAccepted();
        EXPECT_TRUE(WaitFor([&] { return !commands->IsAdding(); }));
        return { enter.isAccepted() && move.isAccepted(), added && drop.dropAction() == Qt::CopyAction };
    }

    QStringList Sources() const
    {
        QStringList sources;
        for (int i = 0; i < jobs.GetSize(); ++i)
            sources << QString::fromStdString(jobs.GetAt(i).sourcePath);
        return sources;
    }

    kelvara::testing::TempFolder m_folder;
};

TEST_F(FileListDropTest, DroppedFilesAndFoldersAreAddedInOrderAsTheAddCommandAddsThem)
{
    Add({ "/media/first.mp4" });
    const QString single = Make("single clip.avi");
    Make("box/clip 10.mp4");
    Make("box/clip 9.wmv");
    Make("box/readme.txt");
    EXPECT_EQ(Drop({ single, Folder("box") }), std::make_pair(true, true));
    EXPECT_EQ(Sources(),
        QStringList({ "/media/first.mp4", single, Folder("box/clip 9.wmv"), Folder("box/clip 10.mp4") }));
    // As after the Add command: the last file is current, selected and in the preview.
    EXPECT_EQ(host.current, 3);
    EXPECT_TRUE(list->IsRowSelected(3));
    EXPECT_EQ(host.previews.last(), Folder("box/clip 10.mp4"));
    EXPECT_FALSE(host.placeholderShown);
    EXPECT_EQ(jobs.GetAt(3).sourceWidth, 160);
}

TEST_F(FileListDropTest, ADropIsRefusedDuringABatchOrWhenItNamesNothingToAdd)
{
    const QString clip = Make("clip.mp4");
    Make("texts/a.txt");
    host.converting = true;
    EXPECT_EQ(Drop({ clip }), std::make_pair(false, false));
    host.converting = false;
    EXPECT_EQ(Drop({ Folder("texts"), Folder("missing.avi") }), std::make_pair(false, false));
    EXPECT_EQ(jobs.GetSize(), 0);
    EXPECT_TRUE(host.placeholderShown);
}

TEST_F(FileListDropTest, ADropWhileFilesAreStillBeingAddedIsRefused)
{
    prober.infos["/media/slow.mp4"] = MediaInfo { true, 1.0, 8, 8 };
    commands->AddFiles({ "/media/slow.mp4" });
    ASSERT_TRUE(commands->IsAdding());
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(Make("late.mp4")) });
    EXPECT_FALSE(commands->CanTakeDrop(data));
    EXPECT_FALSE(commands->OnListDrop(data));
    ASSERT_TRUE(WaitFor([&] { return !commands->IsAdding(); }));
    EXPECT_EQ(Sources(), QStringList({ "/media/slow.mp4" }));
}

TEST_F(FileListDropTest, TheDeleteKeyRemovesTheSelectedRowExceptDuringABatch)
{
    Add(Paths(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(1, 1));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(Sources(), QStringList({ "/media/clip0.mp4", "/media/clip2.mp4" }));
    EXPECT_EQ(host.current, 1);
    host.converting = true;
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(jobs.GetSize(), 2);
}

TEST_F(FileListDropTest, TheRowMenuIsAskedForAfterTheRightClickHasMadeTheRowCurrent)
{
    Add(Paths(3));
    std::vector<std::pair<int, int>> asked; // row, current job at that moment
    QObject::connect(list, &CSkinListCtrl::RowContextMenu,
        [&](CSkinListCtrl*, int row, QPoint) { asked.emplace_back(row, host.current); });
    const QPoint at = CellCentre(0, 3);
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent byMouse(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &byMouse);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(0, 0));
    EXPECT_TRUE(byMouse.isAccepted());

    // The menu key asks for the selected row.
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(list->viewport(), &byKey);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].first, 0);

    // Below the rows it is the window's own menu.
    const QPoint empty(100, list->viewport()->height() - 3);
    QContextMenuEvent below(QContextMenuEvent::Mouse, empty, list->viewport()->mapToGlobal(empty));
    QApplication::sendEvent(list->viewport(), &below);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_FALSE(below.isAccepted());
}

} // namespace
} // namespace kelvara
