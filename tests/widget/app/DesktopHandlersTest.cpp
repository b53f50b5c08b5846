// The main window's file list as a desktop user works it: the row's context
// menu and its entries, and the notice of a batch's end.
#include "AppFakes.h"

#include "filelist/FileListCommands.h"
#include "platform/DesktopNotifications.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinMessageBox.h"
#include "support/TempFolder.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <gtest/gtest.h>

#include <fstream>

namespace kelvara::testing {
namespace {

class FakeNotifications : public platform::DesktopNotifications {
public:
    platform::NotifyResult Notify(const QString& title, const QString& text) override
    {
        shown.push_back({ title, text });
        return { true, {} };
    }
    std::vector<std::pair<QString, QString>> shown;
};

// Runs `answer` on the next modal window or pop-up menu once it is shown;
// waits no longer than `context` lives.
void AnswerNextModal(QObject* context, std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(20, context, [context, answer] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (shown && shown->isVisible())
            answer(shown);
        else
            AnswerNextModal(context, answer);
    });
}

class DesktopHandlersTest : public ::testing::Test {
protected:
    DesktopHandlersTest()
        : f(QStringLiteral("/opt/kelvara/tools/"), DialogServices { .notifications = &notifications })
        , dialog(*f.dialog)
    {
        for (const char* name : { "a.mp4", "b.mp4", "c.mp4" }) {
            const std::string path = m_sources.File(name);
            std::ofstream(path) << "not really media";
            m_paths << QString::fromStdString(path);
        }
        dialog.FileCommands().AddFiles(m_paths);
        EXPECT_TRUE(WaitFor([this] { return !dialog.FileCommands().IsAdding(); }));
        std::ofstream(m_output) << "output";
    }

    std::vector<bool> EnabledEntries(int row)
    {
        std::vector<bool> enabled;
        const std::unique_ptr<QMenu> menu = dialog.MakeRowMenu(row);
        for (const QAction* action : menu->actions())
            enabled.push_back(action->isEnabled());
        return enabled;
    }

    QString ShownBoxText(RowCommand command, int row)
    {
        QObject waiting;
        QString text;
        AnswerNextModal(&waiting, [&text](QWidget* shown) {
            if (auto* box = qobject_cast<CSkinMessageBox*>(shown)) {
                text = box->CaptionLabel()->Text() + QLatin1Char('|') + box->TextLabel()->Text();
                box->OnOK();
            }
        });
        dialog.RunRowCommand(command, row);
        return text;
    }

    FakeNotifications notifications;
    kelvara::testing::TempFolder m_sources;
    kelvara::testing::TempFolder m_outputs;
    const std::string m_output = m_outputs.File("b.mp3");
    QStringList m_paths;
    DialogFixture f;
    CConverterDlg& dialog;
};

TEST_F(DesktopHandlersTest, TheRowMenuOffersWhatTheJobAndTheBatchAllow)
{
    dialog.Jobs().Update(1, [this](JobRecord& job) { job.outputPath = m_output; });
    const std::unique_ptr<QMenu> menu = dialog.MakeRowMenu(1);
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    EXPECT_EQ(
        captions, QStringList({ "Play Output", "Open Output Folder", "Show Failure Reason", "Remove" }));
    EXPECT_EQ(menu->accessibleName(), "b.mp4") << "a screen reader says which file the menu is for";
    EXPECT_EQ(menu->actions().back()->shortcut(), QKeySequence(Qt::Key_Delete)) << "Remove shows its key";
    EXPECT_EQ(EnabledEntries(1), (std::vector<bool> { true, true, false, true }));
    dialog.SetConverting(true);
    EXPECT_EQ(EnabledEntries(1), (std::vector<bool> { true, true, false, false }));
}

TEST_F(DesktopHandlersTest, PlayAndOpenFolderHandTheOutputToTheDesktop)
{
    dialog.Jobs().Update(1, [this](JobRecord& job) { job.outputPath = m_output; });
    dialog.RunRowCommand(RowCommand::PlayOutput, 1);
    dialog.RunRowCommand(RowCommand::OpenOutputFolder, 1);
    ASSERT_EQ(f.shell.opened.size(), 2u);
    EXPECT_EQ(f.shell.opened[0], QUrl::fromLocalFile(QString::fromStdString(m_output)));
    EXPECT_EQ(f.shell.opened[1], QUrl::fromLocalFile(QString::fromStdString(m_outputs.Path().string())));

    // Nothing to play on a row without output; a desktop that cannot play it says so.
    dialog.RunRowCommand(RowCommand::PlayOutput, 0);
    EXPECT_EQ(f.shell.opened.size(), 2u);
    f.shell.outcome = { false, platform::kOpenNoAssociation };
    EXPECT_TRUE(ShownBoxText(RowCommand::PlayOutput, 1).contains(QString::fromStdString(m_output)));
}

TEST_F(DesktopHandlersTest, TheFailureReasonShowsTheEncodersLastLinesInTheSkinnedBox)
{
    dialog.Jobs().Update(2, [](JobRecord& job) {
        job.failed = true;
        job.run.outcome = "failed: Conversion failed!";
        job.run.outputTail = "Stream #0:0: Video: h264\nUnknown encoder 'libnothing'";
    });
    EXPECT_EQ(EnabledEntries(2)[2], true);
    EXPECT_EQ(ShownBoxText(RowCommand::ShowFailureReason, 2),
        "Failure Reason|failed: Conversion failed!\n\nLast lines of output:\nStream #0:0: Video: "
        "h264\nUnknown encoder 'libnothing'");
    // A row that did not fail has no reason to show.
    EXPECT_TRUE(ShownBoxText(RowCommand::ShowFailureReason, 0).isEmpty());
}

TEST_F(DesktopHandlersTest, TheMenuOfARightClickedRowRemovesThatRowExceptDuringABatch)
{
    dialog.show();
    CSkinListCtrl& list = dialog.FileList();
    const QPoint at = list.visualRect(list.model()->index(0, 1)).center();
    QTest::mousePress(list.viewport(), Qt::RightButton, {}, at);
    QObject waiting;
    AnswerNextModal(&waiting, [](QWidget* shown) {
        auto* menu = qobject_cast<QMenu*>(shown);
        ASSERT_NE(menu, nullptr);
        menu->setActiveAction(menu->actions().at(3));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
    QTest::mouseRelease(list.viewport(), Qt::RightButton, {}, at);
    ASSERT_EQ(dialog.Jobs().GetSize(), 2);
    EXPECT_EQ(dialog.Jobs().GetAt(0).sourcePath, m_paths[1].toStdString());

    dialog.SetConverting(true);
    dialog.RunRowCommand(RowCommand::Remove, 0);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(dialog.Jobs().GetSize(), 2);
}

TEST_F(DesktopHandlersTest, TheEndOfABatchIsToldToTheDesktopOnlyWhileTheWindowIsNotActive)
{
    dialog.AnnounceOnDesktop("All tasks have been completed!", "success");
    dialog.AnnounceOnDesktop("Done", "");
    ASSERT_EQ(notifications.shown.size(), 2u);
    EXPECT_EQ(notifications.shown[0],
        std::make_pair(QString("success"), QString("All tasks have been completed!")));
    EXPECT_EQ(notifications.shown[1].first, "Kelvara");

    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(WaitFor([this] { return dialog.isActiveWindow(); }));
    dialog.AnnounceOnDesktop("All tasks have been completed!", "success");
    EXPECT_EQ(notifications.shown.size(), 2u);
}

} // namespace
} // namespace kelvara::testing
