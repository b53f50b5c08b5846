// The main dialog's set-up and the application shell's commands.
#include "AppFakes.h"

#include "app/AddDialogFolder.h"
#include "batch/FilesAtOnce.h"

#include "filelist/FileListCommands.h"
#include "skin/CFadeInPicture.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinTextField.h"

#include <QDir>
#include <QMenu>
#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

TEST(MainDialog, SetUpGivesTheWindowItsSizePlaceAndOutline)
{
    DialogFixture f;
    CConverterDlg& dlg = *f.dialog;
    EXPECT_EQ(dlg.size(), QSize(802, 565));
    EXPECT_EQ(dlg.pos(), QPoint(0, 0));
    EXPECT_EQ(dlg.windowTitle(), "Kelvara");
    EXPECT_TRUE(dlg.windowFlags() & Qt::FramelessWindowHint);
    const QRegion outline = dlg.Outline();
    EXPECT_TRUE(outline.contains(QPoint(400, 300)));
    EXPECT_FALSE(outline.contains(QPoint(790, 300))) << "the skin is narrower than the window";
    EXPECT_FALSE(outline.contains(QPoint(0, 0))) << "rounded corner cut away";
    EXPECT_EQ(dlg.mask(), outline);
}

TEST(MainDialog, SetUpShowsTheOutputFolderAndStartState)
{
    DialogFixture f;
    const ControlTable& c = f.dialog->Controls();
    EXPECT_EQ(f.dialog->OutputFolderText(), "/home/ann/");
    EXPECT_TRUE(c.Field(control_id::Width)->GetText().isEmpty());
    EXPECT_TRUE(c.At(control_id::Start)->isVisibleTo(f.dialog.get()));
    EXPECT_FALSE(c.At(control_id::Stop)->isVisibleTo(f.dialog.get()));
    EXPECT_FALSE(c.At(control_id::Pause)->isVisibleTo(f.dialog.get()));
    EXPECT_FALSE(c.At(control_id::PreviewWindow)->isVisibleTo(f.dialog.get()));
    EXPECT_TRUE(c.At(control_id::PreviewPlaceholder)->isVisibleTo(f.dialog.get()));
    EXPECT_EQ(c.Picture(control_id::PreviewPlaceholder)->BitmapId(), 201);
    EXPECT_FALSE(f.dialog->IsConverting());
}

TEST(MainDialog, TheFixedListsCarryTheirItemsAndDefaults)
{
    DialogFixture f;
    const ControlTable& c = f.dialog->Controls();
    EXPECT_EQ(c.Combo(control_id::AviFrameRate)->count(), 8);
    EXPECT_EQ(c.Combo(control_id::AviFrameRate)->currentText(), "25      HZ");
    EXPECT_EQ(c.Combo(control_id::MpegType)->currentText(), "MPEG1 Standard");
    EXPECT_EQ(c.Combo(control_id::MpegAudioBitrate)->currentText(), "128 Kbit/s");
    EXPECT_EQ(c.Combo(control_id::ImageType)->count(), 13);
    EXPECT_EQ(c.Combo(control_id::ImageType)->currentIndex(), 0);
    EXPECT_EQ(c.Combo(control_id::AudioBitrate)->currentText(), "Auto");
    EXPECT_EQ(c.Combo(control_id::AudioSample)->currentText(), "Same As Input File");
    EXPECT_EQ(c.Combo(control_id::DeviceChannels)->itemText(1), "Stereo");
}

TEST(MainDialog, HoverSoundOnStartStopAndAboutFromTheProgramFolder)
{
    DialogFixture f;
    const ControlTable& c = f.dialog->Controls();
    for (const int id : { control_id::Start, control_id::Stop, control_id::About })
        EXPECT_EQ(c.Button(id)->Sound(), "/opt/kelvara/menu.wav") << id;
    EXPECT_TRUE(c.Button(control_id::AddVideo)->Sound().isEmpty());
}

TEST(MainDialog, MenusCarryTheirCommandsAndCaptions)
{
    DialogFixture f;
    const auto menuOf = [&](int id) {
        QStringList items;
        for (QAction* action : f.dialog->Controls().Button(id)->Menu()->actions())
            items << QStringLiteral("%1=%2").arg(action->text()).arg(action->data().toInt());
        return items;
    };
    EXPECT_EQ(menuOf(control_id::FileMenu),
        QStringList({ "Add Video=32771", "Remove Video=32772", "Clear Video=32773", "Import Profile...=32780",
            "Files at once=0" }));
    EXPECT_EQ(menuOf(control_id::FormatMenu),
        QStringList({ "To PC Video=32774", "To Mobile Video=32775", "To Audio=32776" }));
    EXPECT_EQ(
        menuOf(control_id::HelpMenu), QStringList({ "Contents=32777", "Home Page=32778", "About...=32779" }));
}

TEST(MainDialog, FilesAtOnceIsChosenInTheFileMenuKeptAndReadAtTheNextStart)
{
    DialogFixture f;
    const auto checkedItem = [](const CConverterDlg& dialog) {
        for (QAction* item :
            dialog.Controls().Button(control_id::FileMenu)->Menu()->actions().last()->menu()->actions())
            if (item->isChecked())
                return item->text();
        return QString();
    };
    EXPECT_EQ(checkedItem(*f.dialog), QStringLiteral("Auto"));
    EXPECT_EQ(f.dialog->FilesAtOnceSetting(), kFilesAtOnceAuto);
    f.dialog->OnMenuCommand(command_id::FilesAtOnceAuto + 1);
    EXPECT_EQ(f.dialog->FilesAtOnceSetting(), 1);
    EXPECT_EQ(f.settings.values[QStringLiteral("Choices/FilesAtOnce")], QStringLiteral("1"));

    // The next start reads it; a value past the cores or no number is Auto.
    for (const auto& [stored, expected] : { std::pair { "1", "1" }, { "999", "Auto" }, { "many", "Auto" } }) {
        f.settings.values[QStringLiteral("Choices/FilesAtOnce")] = QString::fromLatin1(stored);
        CConverterDlg next(
            f.programFolders, DialogServices { &f.settings, &f.shell, &f.folders, &f.preview, &f.sound });
        next.OnInitDialog(nullptr);
        EXPECT_EQ(checkedItem(next), QString::fromLatin1(expected)) << stored;
    }
}

TEST(MainDialog, BrowseShowsAndStoresTheChosenFolder)
{
    DialogFixture f;
    f.folders.answer = QStringLiteral("/media/films");
    f.dialog->Controls().Button(control_id::Browse)->click();
    EXPECT_EQ(f.folders.startedAt, "/home/ann/");
    EXPECT_EQ(f.dialog->OutputFolderText(), "/media/films");
    EXPECT_EQ(f.settings.values["Dir"], "/media/films");
}

TEST(MainDialog, BrowseCancelledOrDuringABatchChangesNothing)
{
    DialogFixture f;
    f.dialog->OnBrowse();
    EXPECT_EQ(f.folders.asked, 1);
    EXPECT_EQ(f.dialog->OutputFolderText(), "/home/ann/");
    EXPECT_TRUE(f.settings.values.empty());
    f.dialog->SetConverting(true);
    f.folders.answer = QStringLiteral("/elsewhere");
    f.dialog->OnBrowse();
    EXPECT_EQ(f.folders.asked, 1) << "the browser is refused during a batch";
    EXPECT_TRUE(f.settings.values.empty());
}

TEST(MainDialog, TypingAnotherFolderDoesNotTouchTheSettings)
{
    DialogFixture f;
    CSkinTextField* field = f.dialog->Controls().Field(control_id::OutputFolder);
    field->setFocus();
    QTest::keyClicks(field, "x");
    EXPECT_TRUE(f.settings.values.empty());
}

TEST(MainDialog, HelpOpensThePageBesideTheProgramWhateverFolderIsCurrent)
{
    DialogFixture f;
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    f.dialog->OnMenuCommand(command_id::Contents);
    QDir::setCurrent(before);
    ASSERT_EQ(f.shell.opened.size(), 1u);
    EXPECT_EQ(f.shell.opened[0], QUrl::fromLocalFile("/opt/kelvara/help.html"));
    f.dialog->OnMenuCommand(command_id::HomePage);
    EXPECT_EQ(f.shell.opened.back(), QUrl("https://www.tarvo.test/kelvara/"));
}

TEST(MainDialog, F1OpensHelp)
{
    DialogFixture f;
    f.dialog->show();
    f.dialog->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return f.dialog->isActiveWindow(); }));
    QTest::keyClick(f.dialog.get(), Qt::Key_F1);
    ASSERT_EQ(f.shell.opened.size(), 1u);
    EXPECT_TRUE(f.shell.opened[0].toLocalFile().endsWith("help.html"));
}

TEST(MainDialog, CloseIsRefusedDuringABatchWithAMessage)
{
    DialogFixture f;
    f.dialog->show();
    f.dialog->SetConverting(true);
    QString shown;
    CloseNextModal(&shown);
    f.dialog->Controls().Button(control_id::Close)->click();
    EXPECT_EQ(shown, QString::fromLatin1(CSkinMessageBox::staticMetaObject.className()));
    EXPECT_TRUE(f.dialog->isVisible());
    f.dialog->SetConverting(false);
    f.dialog->Controls().Button(control_id::Close)->click();
    EXPECT_FALSE(f.dialog->isVisible());
}

TEST(MainDialog, AboutOpensFromTheButtonTheMenuAndTheContextMenu)
{
    DialogFixture f;
    f.dialog->show();
    QString shown;
    CloseNextModal(&shown);
    f.dialog->Controls().Button(control_id::About)->click();
    EXPECT_EQ(shown, "kelvara::CAboutBox");
    shown.clear();
    CloseNextModal(&shown);
    f.dialog->OnMenuCommand(command_id::AboutBox);
    EXPECT_EQ(shown, "kelvara::CAboutBox");
}

TEST(MainDialog, FirstPictureLoadsTheCodecListsAfterwards)
{
    DialogFixture f;
    EXPECT_EQ(f.dialog->Controls().Combo(control_id::AviCodec)->count(), 0)
        << "not needed for the first picture";
    bool painted = false;
    QObject::connect(f.dialog.get(), &CConverterDlg::FirstPainted, [&] { painted = true; });
    f.dialog->show();
    ASSERT_TRUE(WaitFor([&] { return painted; }));
    CSkinComboBox* codecs = f.dialog->Controls().Combo(control_id::AviCodec);
    ASSERT_TRUE(WaitFor([&] { return codecs->count() > 0; }));
    if (const int divx = codecs->findText("DivX", Qt::MatchStartsWith); divx >= 0) {
        EXPECT_EQ(codecs->currentIndex(), divx);
    }
    for (int i = 0; i < codecs->count(); ++i)
        EXPECT_FALSE(codecs->itemText(i).isEmpty() || codecs->itemText(i).startsWith(' '));
    EXPECT_GT(f.dialog->Controls().Combo(control_id::AviSoundCodec)->count(), 0);
}

} // namespace
} // namespace kelvara::testing

namespace kelvara::testing {
namespace {

TEST(MainDialogFileList, AddTakesTheChosenFilesAndClearReturnsToTheStartState)
{
    DialogFixture f;
    f.dialog->show();
    f.folders.files = QStringList { "/media/a clip.mp4", "/media/b'$&é.avi" };
    f.dialog->Controls().Button(control_id::AddVideo)->click();
    EXPECT_EQ(f.folders.offeredFilters.last(), "All Files (*)");
    EXPECT_FALSE(f.folders.filesStartedAt.isEmpty());
    EXPECT_NE(f.folders.filesStartedAt, f.programFolders.programDir);
    EXPECT_EQ(f.settings.values[kLastAddFolderKey], "/media") << "where the next Add opens";
    ASSERT_TRUE(
        WaitFor([&] { return f.dialog->Jobs().GetSize() == 2 && !f.dialog->FileCommands().IsAdding(); }));
    EXPECT_EQ(f.dialog->CurrentJob(), 1) << "the last added file is current";
    EXPECT_FALSE(f.dialog->Controls().At(control_id::PreviewPlaceholder)->isVisibleTo(f.dialog.get()));
    EXPECT_EQ(f.dialog->FileList().model()->rowCount(), 2);

    f.dialog->OnMenuCommand(command_id::ToAudio);
    f.dialog->OnMenuCommand(command_id::ClearVideo);
    EXPECT_EQ(f.dialog->Jobs().GetSize(), 0);
    EXPECT_TRUE(f.dialog->Output().Current().Is(PcKind::Avi)) << "an empty list resets the output settings";
    EXPECT_TRUE(f.dialog->Controls().At(control_id::PreviewPlaceholder)->isVisibleTo(f.dialog.get()));
}

TEST(MainDialogFileList, FilesFromTheCommandLineArriveOnceTheWindowIsShown)
{
    DialogFixture f;
    f.dialog->AddFilesWhenShown({ "/media/one.mp4", "/media/two.mp4", "/media/three.mp4" });
    EXPECT_EQ(f.dialog->Jobs().GetSize(), 0);
    f.dialog->show();
    ASSERT_TRUE(
        WaitFor([&] { return f.dialog->Jobs().GetSize() == 3 && !f.dialog->FileCommands().IsAdding(); }));
    EXPECT_EQ(f.dialog->Jobs().GetAt(0).sourcePath, "/media/one.mp4");
    EXPECT_EQ(f.dialog->Jobs().GetAt(2).sourcePath, "/media/three.mp4");
}

TEST(MainDialogFileList, TheListTakesTheTemplatesPlace)
{
    DialogFixture f;
    EXPECT_EQ(f.dialog->Controls().At(control_id::FileList), &f.dialog->FileList());
    EXPECT_EQ(f.dialog->FileList().geometry(), QRect(15, 125, 720, 135));
}

} // namespace
} // namespace kelvara::testing
