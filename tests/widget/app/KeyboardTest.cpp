// The main window without a mouse: its keys reach the buttons' handlers and
// leave the text fields their editing keys, Tab follows the reading order,
// and an open menu is among the program's windows for a screen reader.
#include "AppFakes.h"

#include "filelist/FileListCommands.h"
#include "preview/PreviewPanel.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinMessageBox.h"
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
            const std::string path = m_sources.File(name);
            std::ofstream(path) << "not really media";
            paths << QString::fromStdString(path);
        }
        f.dialog->FileCommands().AddFiles(paths);
        ASSERT_TRUE(WaitFor([this] { return !f.dialog->FileCommands().IsAdding(); }));
        f.dialog->show();
        f.dialog->activateWindow();
        ASSERT_TRUE(WaitFor([this] { return f.dialog->isActiveWindow(); }));
    }
    const ControlTable& C() { return f.dialog->Controls(); }
    // A key as the user presses it: to whatever has the focus.
    void Press(QKeyCombination key, int focusId = control_id::Browse)
    {
        // A message box may have taken the activation.
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
    EXPECT_FALSE(f.folders.offeredFilters.isEmpty()) << "the Add dialog opened, once and not ambiguously";
    Press(QKeyCombination(Qt::Key_Delete));
    EXPECT_EQ(Jobs(), 2);
    // The text of START's refusal shows that Ctrl+Return went to START.
    C().Field(control_id::OutputFolder)->SetText(QString());
    QString box;
    CloseNextModal(&box);
    Press(Qt::CTRL | Qt::Key_Return);
    EXPECT_EQ(box, QString::fromLatin1(CSkinMessageBox::staticMetaObject.className()));
    Press(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete);
    EXPECT_EQ(Jobs(), 0);
    f.dialog->SetConverting(true);
    box.clear();
    CloseNextModal(&box);
    Press(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(box.isEmpty()) << "refused during a batch with the Close button's message";
    EXPECT_TRUE(f.dialog->isVisible());
    f.dialog->SetConverting(false);
    Press(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(f.dialog->isVisible());
}

TEST_F(Keyboard, TextFieldsKeepTheirEditingKeys)
{
    CSkinTextField* folder = C().Field(control_id::OutputFolder);
    folder->SetText(QStringLiteral("/home/ann/"));
    folder->setFocus();
    QTest::keyClick(folder, Qt::Key_Home);
    const std::pair<Qt::Key, const char*> keys[]
        = { { Qt::Key_Delete, "home/ann/" }, { Qt::Key_Space, " home/ann/" } };
    for (const auto& [key, text] : keys) {
        QTest::keyClick(folder, key);
        EXPECT_EQ(folder->GetText(), text) << key;
    }
    EXPECT_EQ(Jobs(), 3) << "Delete in the field removed no file";
    EXPECT_FALSE(f.dialog->Preview().State().playRequested);
}

TEST_F(Keyboard, TabKeysStepTheShownStripRoundAsAPressWould)
{
    struct Step {
        QKeyCombination key;
        PcKind kind;
    };
    const Step steps[] = { { Qt::CTRL | Qt::Key_Tab, PcKind::Mpeg },
        { Qt::CTRL | Qt::Key_PageDown, PcKind::Image }, { Qt::CTRL | Qt::Key_Tab, PcKind::Avi },
        { Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, PcKind::Image },
        { Qt::CTRL | Qt::Key_PageUp, PcKind::Mpeg } };
    for (const Step& step : steps) {
        f.dialog->Jobs().Update(0, [](JobRecord& job) { job.stateIcon = JobState::Done; });
        // From a text field too: the tab keys are no typing keys.
        Press(step.key, control_id::Width);
        EXPECT_TRUE(f.dialog->Output().Current().Is(step.kind)) << static_cast<int>(step.kind);
        EXPECT_EQ(C().Tab(control_id::PcTabs)->GetCurSel(), static_cast<int>(step.kind));
        EXPECT_EQ(f.dialog->Jobs().GetAt(0).stateIcon, JobState::Queued) << "the jobs wait again";
    }
    f.dialog->OnMenuCommand(command_id::ToAudio);
    Press(Qt::CTRL | Qt::Key_PageUp);
    EXPECT_EQ(f.dialog->Output().Current().kind, 4) << "the audio strip, round to its last tab";
    f.dialog->SetConverting(true);
    Press(Qt::CTRL | Qt::Key_Tab);
    EXPECT_EQ(f.dialog->Output().Current().kind, 4) << "the kind stays during a batch";
}

TEST_F(Keyboard, SpacePlaysInThePreviewAndPressesButtonsElsewhere)
{
    Press(QKeyCombination(Qt::Key_Space), control_id::TrimRange);
    EXPECT_TRUE(f.dialog->Preview().State().playRequested);
    Press(QKeyCombination(Qt::Key_Space), control_id::TrimRange);
    EXPECT_FALSE(f.dialog->Preview().State().playRequested);
    Press(QKeyCombination(Qt::Key_Space), control_id::Snapshot);
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
    QWidget* first = C().At(id::FileMenu);
    for (QWidget* w = first; walked.empty() || w != first; w = w->nextInFocusChain()) {
        const QString name = w->objectName();
        if (name.startsWith(QLatin1String("control")) && w->isVisibleTo(f.dialog.get()) && w->isEnabled()
            && (w->focusPolicy() & Qt::TabFocus))
            walked.push_back(name.mid(7).toInt());
        if (walked.size() > expected.size())
            break;
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(Keyboard, AnOpenMenuIsAmongTheProgramsWindowsWithItsItemsAndKeys)
{
    struct Item {
        const char* name;
        const char* key;
    };
    struct Case {
        int button;
        const char* name;
        std::vector<Item> items;
    };
    const Case cases[] = {
        { control_id::FileMenu, "File",
            { { "Add Video", "Ctrl+O" }, { "Remove Video", "Del" }, { "Clear Video", "Ctrl+Shift+Del" } } },
        { control_id::FormatMenu, "Format Setting",
            { { "To PC Video", "" }, { "To Mobile Video", "" }, { "To Audio", "" } } },
        { control_id::HelpMenu, "Help", { { "Contents", "F1" }, { "Home Page", "" }, { "About...", "" } } },
    };
    QAccessibleInterface* app = QAccessible::queryAccessibleInterface(qApp);
    const auto listed = [app](QMenu* menu) -> QAccessibleInterface* {
        for (int i = 0; i < app->childCount(); ++i)
            if (app->child(i)->object() == menu)
                return app->child(i);
        return nullptr;
    };
    for (const Case& c : cases) {
        QMenu* menu = C().Button(c.button)->Menu();
        EXPECT_EQ(listed(menu), nullptr) << c.name << " is closed";
        menu->popup(QPoint(0, 0));
        ASSERT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
        QAccessibleInterface* shown = listed(menu);
        ASSERT_NE(shown, nullptr) << c.name;
        EXPECT_EQ(shown->role(), QAccessible::PopupMenu);
        EXPECT_EQ(shown->text(QAccessible::Name), c.name);
        EXPECT_EQ(shown->parent(), app);
        EXPECT_EQ(app->child(app->indexOfChild(shown)), shown);
        ASSERT_EQ(shown->childCount(), static_cast<int>(c.items.size()));
        for (int i = 0; i < shown->childCount(); ++i) {
            EXPECT_EQ(shown->child(i)->text(QAccessible::Name), c.items[i].name);
            EXPECT_EQ(shown->child(i)->text(QAccessible::Accelerator), c.items[i].key) << c.items[i].name;
        }
        menu->hide();
    }
}

} // namespace
} // namespace kelvara::testing
