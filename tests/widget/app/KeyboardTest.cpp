// The main window without a mouse: its keys reach the buttons' handlers and
// leave the text fields their editing keys, Tab follows the reading order,
// and an open menu is among the program's windows for a screen reader.
#include "AppFakes.h"

#include "filelist/FileListCommands.h"
#include "preview/PreviewPanel.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinTextField.h"
#include "support/TempFolder.h"

#include <QAccessible>
#include <QMenu>
#include <fstream>
#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStringList paths;
        for (const char* name : { "a.mp4", "b.mp4", "c.mp4" }) {
            std::ofstream(m_sources.File(name)) << "not really media";
            paths << QString::fromStdString(m_sources.File(name));
        }
        f.dialog->FileCommands().AddFiles(paths);
        C().Field(control_id::OutputFolder)->SetText(QStringLiteral("/home/ann/"));
        ASSERT_TRUE(WaitFor([this] { return !f.dialog->FileCommands().IsAdding(); }));
        f.dialog->show();
    }
    const ControlTable& C() { return f.dialog->Controls(); }
    // A key as the user presses it: to whatever has the focus, in the window
    // active again after a message box.
    void Press(QKeyCombination key, int focusId = control_id::Browse)
    {
        f.dialog->activateWindow();
        ASSERT_TRUE(WaitFor([this] { return f.dialog->isActiveWindow(); }));
        C().At(focusId)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    int Jobs() { return f.dialog->Jobs().GetSize(); }

    TempFolder m_sources;
    DialogFixture f;
};

TEST_F(Keyboard, WindowKeysDoWhatTheirButtonsDo)
{
    Press(Qt::CTRL | Qt::Key_O);
    EXPECT_FALSE(f.folders.offeredFilters.isEmpty()) << "the Add dialog opened: the menu's key is no rival";
    Press(Qt::Key_Delete);
    EXPECT_EQ(Jobs(), 2);
    C().Field(control_id::OutputFolder)->SetText(QString());
    QString box; // START's refusal of an empty folder
    CloseNextModal(&box);
    Press(Qt::CTRL | Qt::Key_Return);
    EXPECT_FALSE(box.isEmpty());
    Press(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete);
    EXPECT_EQ(Jobs(), 0);
    Press(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(f.dialog->isVisible());
}

TEST_F(Keyboard, TextFieldsKeepTheirEditingKeys)
{
    const std::pair<QKeyCombination, const char*> keys[] = { { Qt::Key_Home, "/home/ann/" },
        { Qt::Key_Delete, "home/ann/" }, { Qt::Key_Space, " home/ann/" } };
    for (const auto& [key, text] : keys) {
        Press(key, control_id::OutputFolder);
        EXPECT_EQ(C().Field(control_id::OutputFolder)->GetText(), text) << key.key();
    }
    EXPECT_EQ(Jobs(), 3) << "Delete in the field removed no file";
    Press(Qt::Key_F1, control_id::OutputFolder);
    EXPECT_EQ(f.shell.opened.size(), 1u) << "a function key is the window's";
}

TEST_F(Keyboard, TabKeysStepTheShownStripRoundAsAPressWould)
{
    const std::pair<QKeyCombination, PcKind> steps[] = { { Qt::CTRL | Qt::Key_Tab, PcKind::Mpeg },
        { Qt::CTRL | Qt::Key_PageDown, PcKind::Image },
        { Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, PcKind::Mpeg }, { Qt::CTRL | Qt::Key_PageUp, PcKind::Avi },
        { Qt::CTRL | Qt::Key_PageUp, PcKind::Av1 }, { Qt::CTRL | Qt::Key_Tab, PcKind::Avi } };
    for (const auto& [key, kind] : steps) {
        f.dialog->Jobs().Update(0, [](JobRecord& job) { job.stateIcon = JobState::Done; });
        Press(key, control_id::Width); // the tab keys are no typing keys
        EXPECT_TRUE(f.dialog->Output().Current().Is(kind)) << static_cast<int>(kind);
        EXPECT_EQ(C().Tab(control_id::PcTabs)->GetCurSel(), static_cast<int>(kind));
        EXPECT_EQ(f.dialog->Jobs().GetAt(0).stateIcon, JobState::Queued) << "the jobs wait again";
    }
    f.dialog->OnMenuCommand(command_id::ToAudio);
    Press(Qt::CTRL | Qt::Key_PageUp);
    EXPECT_EQ(f.dialog->Output().Current().kind, 9) << "the audio strip, round to its last tab";
    EXPECT_FALSE(C().Tab(control_id::AudioTabs)->TabRect(9).isEmpty()) << "and scrolled to it";
    f.dialog->SetConverting(true);
    Press(Qt::CTRL | Qt::Key_Tab);
    EXPECT_EQ(f.dialog->Output().Current().kind, 9) << "the kind stays during a batch";
}

TEST_F(Keyboard, SpacePlaysInThePreviewAndPressesButtonsElsewhere)
{
    for (const bool playing : { true, false }) {
        Press(Qt::Key_Space, control_id::TrimRange);
        EXPECT_EQ(f.dialog->Preview().State().playRequested, playing);
    }
    Press(Qt::Key_Space, control_id::Snapshot);
    EXPECT_FALSE(f.dialog->Preview().State().playRequested);
    EXPECT_TRUE(WaitFor([this] { return f.dialog->Output().Current().Is(PcKind::Image); }));
}

TEST_F(Keyboard, TabFollowsTheReadingOrderOfTheWindow)
{
    namespace id = control_id;
    const std::vector<int> expected = { id::FileMenu, id::FormatMenu, id::HelpMenu, id::About, id::Minimize,
        id::Close, id::AddVideo, id::RemoveVideo, id::ClearVideo, id::FileList, id::TrimRange,
        id::PreviewStop, id::PreviousFile, id::Play, id::NextFile, id::Snapshot, id::PcTabs, id::AviFrameRate,
        id::AviCodec, id::AviSoundCodec, id::Width, id::WidthUp, id::WidthDown, id::Height, id::HeightUp,
        id::HeightDown, id::Original, id::Custom, id::OutputFolder, id::Browse, id::ShutdownWhenFinished,
        id::Start };
    std::vector<int> walked;
    QWidget* w = C().At(id::FileMenu);
    do {
        if (w->isVisibleTo(f.dialog.get()) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            walked.push_back(w->objectName().mid(7).toInt()); // "control<id>"
        w = w->nextInFocusChain();
    } while (w != C().At(id::FileMenu) && walked.size() <= expected.size());
    EXPECT_EQ(walked, expected);
}

TEST_F(Keyboard, AnOpenMenuIsAmongTheProgramsWindowsWithItsItemsAndKeys)
{
    const std::tuple<int, const char*, QStringList> menus[] = {
        { control_id::FileMenu, "File",
            { "Add Video=Ctrl+O", "Remove Video=Del", "Clear Video=Ctrl+Shift+Del",
                "Import Profile...=", "Files at once=" } },
        { control_id::FormatMenu, "Format Setting", { "To PC Video=", "To Mobile Video=", "To Audio=" } },
        { control_id::HelpMenu, "Help", { "Contents=F1", "Home Page=", "About...=" } },
    };
    QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
    const auto listed = [app](QMenu* menu) -> QAccessibleInterface* {
        for (int i = 0; i < app->childCount(); ++i)
            if (app->child(i)->object() == menu)
                return app->child(i);
        return nullptr;
    };
    for (const auto& [button, name, items] : menus) {
        QMenu* menu = C().Button(button)->Menu();
        EXPECT_EQ(listed(menu), nullptr) << name << " is closed";
        menu->popup(QPoint(0, 0));
        ASSERT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
        QAccessibleInterface* shown = listed(menu);
        ASSERT_NE(shown, nullptr) << name;
        EXPECT_EQ(shown->text(QAccessible::Name), name);
        EXPECT_EQ(app->child(app->indexOfChild(shown)), shown);
        QStringList seen;
        for (int i = 0; i < shown->childCount(); ++i)
            seen << shown->child(i)->text(QAccessible::Name) + '='
                    + shown->child(i)->text(QAccessible::Accelerator);
        EXPECT_EQ(seen, items);
        menu->hide();
    }
}

} // namespace
} // namespace kelvara::testing
