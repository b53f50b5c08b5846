// The option panels of the main window: the AVI and MPEG lists and their
// presets, the frame-size controls, the device panel on the shipped profile
// files, and what the converters read of them.
#include "AppFakes.h"

#include "app/DialogOptionSelections.h"
#include "batch/BatchHost.h"
#include "filelist/FileListCommands.h"
#include "options/PanelVisibility.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinTextField.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace kelvara::testing {
namespace {

using kelvara::testing::FileContents;

const QString kShippedProfiles = QStringLiteral(KELVARA_SOURCE_DIR "/data/");

class OptionPanels : public ::testing::Test {
protected:
    explicit OptionPanels(const QString& toolDir = kShippedProfiles)
        : f(toolDir)
    {
    }
    CConverterDlg& Dlg() { return *f.dialog; }
    const ControlTable& C() { return f.dialog->Controls(); }
    bool Visible(int id) { return C().At(id)->isVisibleTo(f.dialog.get()); }
    QString Selected(int id) { return C().Combo(id)->currentText(); }
    // Adds a job and makes it the list's selected row.
    int AddSelectedJob(JobRecord job = {})
    {
        const int row = Dlg().Jobs().Add(job);
        Dlg().FileList().SetItemCount(Dlg().Jobs().GetSize());
        Dlg().FileList().SetSelectionMark(row);
        Dlg().SetCurrentJob(row);
        return row;
    }
    JobRecord Job(int row) { return Dlg().Jobs().GetAt(row); }
    void ChooseMpeg()
    {
        CImageTab* strip = C().Tab(control_id::PcTabs);
        QTest::mousePress(strip, Qt::LeftButton, {}, strip->TabRect(1).center());
    }
    void ChooseDevice(MobileKind device)
    {
        Dlg().OnMenuCommand(command_id::ToMobileVideo);
        C().Tab(control_id::MobileTabs)->Select(static_cast<int>(device));
        Dlg().OnOutputTabChanged(C().Tab(control_id::MobileTabs));
        ASSERT_TRUE(Dlg().Output().Current().Is(device));
    }
    // The user picks an item; the handlers run from the event loop.
    void Pick(int comboId, int item)
    {
        C().Combo(comboId)->SelectByUser(item);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    void SetField(int id, const QString& text) { C().Field(id)->SetText(text); }
    QString FieldText(int id) { return C().Field(id)->GetText(); }

    DialogFixture f;
};

TEST_F(OptionPanels, DvdNtscThenMpeg2StandardSetsThePanelAndTheSelectedJob)
{
    ChooseMpeg();
    const int other = AddSelectedJob();
    const int row = AddSelectedJob();
    Pick(control_id::MpegType, 5);
    EXPECT_EQ(Selected(control_id::MpegFrameRate), "29         HZ");
    EXPECT_EQ(Selected(control_id::MpegAudioBitrate), "224 Kbit/s");
    EXPECT_EQ(Selected(control_id::MpegAudioRate), "48000   ");
    EXPECT_EQ(FieldText(control_id::Width), "720");
    EXPECT_EQ(FieldText(control_id::Height), "480");
    EXPECT_FALSE(C().Field(control_id::Width)->isEnabled());
    EXPECT_FALSE(C().Combo(control_id::MpegFrameRate)->isEnabled());
    EXPECT_TRUE(C().Button(control_id::Original)->GetCheck());
    EXPECT_FALSE(C().Button(control_id::Custom)->GetCheck());
    JobRecord job = Job(row);
    EXPECT_EQ(job.mpegType, 5);
    EXPECT_DOUBLE_EQ(job.mpegFrameRate, 29.0);
    EXPECT_EQ(job.mpegAudioBitrate, 224);
    EXPECT_EQ(job.mpegAudioRate, 48000);
    EXPECT_EQ(job.outputWidth, 720);
    EXPECT_EQ(job.outputHeight, 480);
    EXPECT_EQ(Job(other).mpegType, kDefaultMpegType);
    EXPECT_FALSE(Dlg().UseOriginalSize());

    Pick(control_id::MpegType, 7);
    EXPECT_EQ(FieldText(control_id::Width), "720");
    EXPECT_EQ(FieldText(control_id::Height), "480");
    EXPECT_TRUE(C().Field(control_id::Width)->isEnabled());
    EXPECT_TRUE(C().Combo(control_id::MpegAudioBitrate)->isEnabled());
    EXPECT_EQ(Selected(control_id::MpegAudioBitrate), "128 Kbit/s");
    EXPECT_TRUE(C().Button(control_id::Custom)->GetCheck());
    job = Job(row);
    EXPECT_EQ(job.mpegType, 7);
    EXPECT_EQ(job.mpegAudioBitrate, 128);
    EXPECT_EQ(job.outputWidth, 720);
}

TEST_F(OptionPanels, TypeAndOptionChangesAreRefusedDuringABatchButShow)
{
    ChooseMpeg();
    const int row = AddSelectedJob();
    Dlg().SetConverting(true);
    Pick(control_id::MpegType, 0);
    Pick(control_id::MpegAudioBitrate, 0);
    EXPECT_EQ(Selected(control_id::MpegAudioBitrate), "32   Kbit/s");
    EXPECT_EQ(Job(row).mpegType, kDefaultMpegType);
    EXPECT_EQ(Job(row).mpegAudioBitrate, kDefaultMpegAudioBitrate);
    EXPECT_TRUE(C().Field(control_id::Width)->isEnabled());
}

TEST_F(OptionPanels, AviAndMpegChoicesGoIntoTheSelectedJobOnly)
{
    const int first = AddSelectedJob();
    const int second = AddSelectedJob();
    Pick(control_id::AviFrameRate, 3);
    Pick(control_id::MpegAudioRate, 3);
    Pick(control_id::MpegFrameRate, 6);
    EXPECT_DOUBLE_EQ(Job(second).aviFrameRate, 23.97);
    EXPECT_EQ(Job(second).mpegAudioRate, 48000);
    EXPECT_DOUBLE_EQ(Job(second).mpegFrameRate, 59.94);
    EXPECT_DOUBLE_EQ(Job(first).aviFrameRate, kDefaultAviFrameRate);
    if (C().Combo(control_id::AviCodec)->count() > 1) {
        Pick(control_id::AviCodec, 1);
        EXPECT_EQ(Job(second).aviVideoCodec, 1);
    }
}

// The converters read the lists, so they keep what the user chose whatever
// row is selected and after a batch; a job added later starts from them.
TEST_F(OptionPanels, ListsKeepTheirChoicesAcrossRowsAndTheEndOfABatch)
{
    ChooseMpeg();
    JobRecord small;
    small.outputWidth = small.sourceWidth = 320;
    small.outputHeight = small.sourceHeight = 240;
    AddSelectedJob(small);
    const int second = AddSelectedJob(small);
    Pick(control_id::MpegType, 4); // "DVD PAL"
    Pick(control_id::AviFrameRate, 0); // "10      HZ"
    const std::vector<std::pair<const char*, std::function<void()>>> moves = {
        { "a click on the first row", [&] { Dlg().FileCommands().OnListKeyDown(Qt::Key_Up); } },
        { "the end of a batch", [&] { Dlg().ShowOptionsOfJob(second); } },
    };
    for (const auto& [move, run] : moves) {
        run();
        EXPECT_EQ(Selected(control_id::MpegType), "DVD PAL") << move;
        EXPECT_EQ(Dlg().Selections().MpegTypePosition(), 4) << move;
        EXPECT_EQ(Selected(control_id::MpegAudioRate), "48000   ") << move;
        EXPECT_FALSE(C().Combo(control_id::MpegAudioRate)->isEnabled()) << move;
        EXPECT_EQ(Selected(control_id::AviFrameRate), "10      HZ") << move;
        EXPECT_EQ(FieldText(control_id::Width), "720") << move << ": the size the disc type gives every row";
        EXPECT_TRUE(C().Button(control_id::Original)->GetCheck()) << move;
    }
    const JobPanelOptions added = Dlg().NewJobOptions();
    EXPECT_EQ(added.mpegType, 4);
    EXPECT_EQ(added.mpegAudioRate, 48000);
    EXPECT_EQ(added.mpegAudioBitrate, 224);
    EXPECT_DOUBLE_EQ(added.aviFrameRate, 10.0);
}

TEST_F(OptionPanels, NoSelectedRowStoresNothing)
{
    const int row = AddSelectedJob();
    Dlg().FileList().SetSelectionMark(-1);
    Pick(control_id::AviFrameRate, 0);
    SetField(control_id::Width, QStringLiteral("500"));
    Dlg().OnWidthUp();
    EXPECT_EQ(FieldText(control_id::Width), "510");
    EXPECT_DOUBLE_EQ(Job(row).aviFrameRate, kDefaultAviFrameRate);
    EXPECT_EQ(Job(row).outputWidth, 0);
}

TEST_F(OptionPanels, ArrowsStepByTenButNotDownBelowTwenty)
{
    const int row = AddSelectedJob();
    SetField(control_id::Width, QStringLiteral("19"));
    QTest::mouseClick(C().Button(control_id::WidthDown), Qt::LeftButton);
    EXPECT_EQ(FieldText(control_id::Width), "19");
    EXPECT_EQ(Job(row).outputWidth, 0);
    SetField(control_id::Width, QStringLiteral("25"));
    Dlg().OnWidthDown();
    EXPECT_EQ(FieldText(control_id::Width), "15");
    EXPECT_EQ(Job(row).outputWidth, 15);
    SetField(control_id::Height, QStringLiteral("abc"));
    Dlg().OnHeightUp();
    EXPECT_EQ(FieldText(control_id::Height), "10");
    EXPECT_EQ(Job(row).outputHeight, 10);

    Dlg().SetConverting(true);
    Dlg().OnHeightUp();
    EXPECT_EQ(FieldText(control_id::Height), "10");
}

TEST_F(OptionPanels, OriginalTakesTheSourceSizeAndStopsTheArrows)
{
    Dlg().OnOriginalSize();
    EXPECT_FALSE(C().Button(control_id::Original)->GetCheck()) << "refused with no jobs";
    EXPECT_TRUE(C().Button(control_id::Custom)->GetCheck());

    JobRecord source;
    source.sourceWidth = 640;
    source.sourceHeight = 360;
    const int row = AddSelectedJob(source);
    Dlg().OnOriginalSize();
    EXPECT_TRUE(Dlg().UseOriginalSize());
    EXPECT_EQ(FieldText(control_id::Width), "640");
    EXPECT_EQ(Job(row).outputWidth, 640);
    EXPECT_EQ(Job(row).outputHeight, 360);
    EXPECT_FALSE(C().Field(control_id::Height)->isEnabled());
    EXPECT_TRUE(C().Button(control_id::Original)->GetCheck());
    EXPECT_TRUE(Dlg().Selections().UseOriginalSize());
    Dlg().OnWidthUp();
    EXPECT_EQ(FieldText(control_id::Width), "640");

    Dlg().OnCustomSize();
    EXPECT_FALSE(Dlg().UseOriginalSize());
    EXPECT_TRUE(C().Field(control_id::Height)->isEnabled());
    Dlg().OnWidthUp();
    EXPECT_EQ(FieldText(control_id::Width), "650");
}

// The size mode is the user's: whatever brings the controls back shows it as
// it is, and only the two buttons change it.
TEST_F(OptionPanels, OriginalStaysInForceWhereverTheControlsComeBack)
{
    JobRecord typed;
    typed.sourceWidth = 640;
    typed.sourceHeight = 360;
    typed.outputWidth = 160;
    typed.outputHeight = 120;
    const int first = AddSelectedJob(typed);
    AddSelectedJob(typed);
    Dlg().OnOriginalSize();
    const std::vector<std::pair<const char*, std::function<void()>>> returns = {
        { "the end of a batch",
            [&] {
                Dlg().SetOptionControlsEnabled(false);
                Dlg().SetOptionControlsEnabled(true);
            } },
        { "a kind switch",
            [&] {
                Dlg().OnMenuCommand(command_id::ToAudio);
                Dlg().OnMenuCommand(command_id::ToPcVideo);
            } },
        { "Custom during a batch",
            [&] {
                Dlg().SetConverting(true);
                QTest::mouseClick(C().Button(control_id::Custom), Qt::LeftButton);
                Dlg().SetConverting(false);
            } },
        { "a right click on a row with its own size",
            [&] {
                Dlg().FileList().SetSelectionMark(first);
                Dlg().FileCommands().OnListRightClick();
            } },
    };
    for (const auto& [event, run] : returns) {
        run();
        EXPECT_TRUE(Dlg().Selections().UseOriginalSize()) << event;
        EXPECT_TRUE(C().Button(control_id::Original)->GetCheck()) << event;
        EXPECT_FALSE(C().Button(control_id::Custom)->GetCheck()) << event;
        EXPECT_FALSE(C().Field(control_id::Width)->isEnabled()) << event;
        EXPECT_EQ(FieldText(control_id::Width), "640") << event << ": the size the row is converted with";
    }
    ASSERT_EQ(Dlg().CurrentJob(), first);

    QTest::mouseClick(C().Button(control_id::Custom), Qt::LeftButton);
    EXPECT_FALSE(Dlg().Selections().UseOriginalSize());
    EXPECT_TRUE(C().Button(control_id::Custom)->GetCheck());
    EXPECT_EQ(FieldText(control_id::Width), "160");
    QTest::mouseClick(C().Button(control_id::WidthUp), Qt::LeftButton);
    EXPECT_EQ(Job(first).outputWidth, 170);
}

TEST_F(OptionPanels, ARightClickEnablesWhatABatchLocksAndNoMore)
{
    ChooseDevice(MobileKind::Psp);
    AddSelectedJob();
    AddSelectedJob();
    Dlg().SetOptionControlsEnabled(false);
    Dlg().FileList().SetSelectionMark(0);
    Dlg().FileCommands().OnListRightClick();
    ASSERT_EQ(Dlg().CurrentJob(), 0);
    for (const int id : kBatchLockedControls)
        EXPECT_TRUE(C().At(id)->isEnabled()) << id;
    for (const int id : { control_id::DeviceVideoSize, control_id::DeviceVideoBitrate,
             control_id::DeviceFrameRate, control_id::DeviceAudioBitrate, control_id::DeviceChannels })
        EXPECT_FALSE(C().Combo(id)->isEnabled()) << id << ": profile 7 fixes it";
}

TEST_F(OptionPanels, CustomIsRefusedForADiscType)
{
    ChooseMpeg();
    JobRecord svcd;
    svcd.mpegType = 2;
    AddSelectedJob(svcd);
    C().Combo(control_id::MpegType)->SetCurSel(2);
    Dlg().SetMpegPresetLock(true);
    QTest::mouseClick(C().Button(control_id::Custom), Qt::LeftButton);
    EXPECT_TRUE(C().Button(control_id::Original)->GetCheck());
    EXPECT_FALSE(C().Button(control_id::Custom)->GetCheck());
    EXPECT_FALSE(C().Field(control_id::Width)->isEnabled());
}

TEST_F(OptionPanels, TypedSizesReachTheSelectedJobEvenDuringABatch)
{
    const int row = AddSelectedJob();
    Dlg().SetConverting(true);
    C().Field(control_id::Width)->setFocus();
    SetField(control_id::Width, QString());
    QTest::keyClicks(C().Field(control_id::Width), QStringLiteral("432"));
    EXPECT_EQ(Job(row).outputWidth, 432);
}

TEST_F(OptionPanels, AddedJobGetsTheDiscPresetThroughThePostedCall)
{
    ChooseMpeg();
    C().Combo(control_id::MpegType)->SetCurSel(0);
    const int row = AddSelectedJob();
    Dlg().PostMpegPreset();
    EXPECT_EQ(Job(row).outputWidth, 0) << "posted, not called";
    ASSERT_TRUE(WaitFor([&] { return Job(row).outputWidth == 352; }));
    EXPECT_EQ(Job(row).outputHeight, 288);
    EXPECT_EQ(Job(row).mpegType, 0);
}

TEST_F(OptionPanels, ConvertersReadTheControls)
{
    const OptionSelections& read = Dlg().Selections();
    EXPECT_EQ(read.AviFrameRateText(), "25      HZ");
    EXPECT_EQ(read.MpegTypePosition(), 6);
    EXPECT_EQ(read.MpegAudioBitrateText(), "128 Kbit/s");
    EXPECT_EQ(read.MpegSampleRateText(), "44100   ");
    EXPECT_EQ(read.AudioBitratePosition(), 0);
    C().Combo(control_id::AudioBitrate)->SetCurSel(3);
    C().Combo(control_id::AudioSample)->SetCurSel(6);
    C().Combo(control_id::ImageType)->SetCurSel(4);
    C().Combo(control_id::MpegFrameRate)->SetCurSel(0);
    EXPECT_EQ(read.AudioBitratePosition(), 3);
    EXPECT_EQ(read.AudioSampleRatePosition(), 6);
    EXPECT_EQ(read.PictureTypePosition(), 4);
    EXPECT_EQ(read.MpegFrameRateText(), "23.976  HZ");
    EXPECT_EQ(read.AviVideoCodecPosition(), C().Combo(control_id::AviCodec)->currentIndex());
}

TEST_F(OptionPanels, SonyPspStartsAtProfileSevenWithGreyValues)
{
    ChooseDevice(MobileKind::Psp);
    CSkinComboBox* profile = C().Combo(control_id::Profile);
    EXPECT_EQ(profile->count(), 23);
    EXPECT_EQ(profile->currentIndex(), 7);
    EXPECT_EQ(profile->itemText(0), "Customized (MPEG-4, the values below)");
    for (const int id : { control_id::DeviceVideoSize, control_id::DeviceVideoBitrate,
             control_id::DeviceFrameRate, control_id::DeviceAudioBitrate, control_id::DeviceChannels })
        EXPECT_FALSE(C().Combo(id)->isEnabled()) << id;
    EXPECT_TRUE(Visible(control_id::DeviceChannels));
    EXPECT_FALSE(Visible(control_id::DeviceAspect));
    EXPECT_FALSE(Visible(control_id::DeviceAudioSample));
    EXPECT_EQ(C().Combo(control_id::DeviceVideoSize)->count(), 4);

    Pick(control_id::Profile, 0);
    EXPECT_EQ(profile->currentIndex(), 0);
    EXPECT_TRUE(C().Combo(control_id::DeviceVideoSize)->isEnabled());
    EXPECT_EQ(Selected(control_id::DeviceVideoSize), "368x208");
    EXPECT_EQ(Selected(control_id::DeviceVideoBitrate), "768 Kbps");
    EXPECT_EQ(Selected(control_id::DeviceFrameRate), "29.97  fps");
    EXPECT_EQ(Selected(control_id::DeviceAudioBitrate), "128  Kbps");
    EXPECT_EQ(Selected(control_id::DeviceChannels), "Stereo");
    Pick(control_id::DeviceVideoSize, 2);
    const DeviceChoice choice = Dlg().CurrentDeviceChoice();
    EXPECT_EQ(choice.profilePosition, 0);
    EXPECT_EQ(choice.selections.videoSize, 2);
    EXPECT_EQ(choice.selections.videoBitrate, 5);
    EXPECT_EQ(choice.selections.channel, 1);

    Pick(control_id::Profile, 3);
    EXPECT_FALSE(C().Combo(control_id::DeviceAudioBitrate)->isEnabled());
}

TEST_F(OptionPanels, EachDeviceShowsItsOwnListsAndStartProfile)
{
    ChooseDevice(MobileKind::Xbox360);
    EXPECT_EQ(C().Combo(control_id::Profile)->currentIndex(), 2);
    CSkinComboBox* audio = C().Combo(control_id::DeviceAudioBitrate);
    ASSERT_EQ(audio->count(), 2);
    EXPECT_EQ(audio->itemText(0), "128  Kbps");
    EXPECT_EQ(audio->itemText(1), "192  Kbps");
    EXPECT_TRUE(Visible(control_id::DeviceAspect));
    EXPECT_TRUE(Visible(control_id::DeviceChannels));

    ChooseDevice(MobileKind::PocketPc);
    EXPECT_EQ(C().Combo(control_id::Profile)->currentIndex(), 2);
    EXPECT_EQ(C().Combo(control_id::DeviceVideoSize)->count(), 6);
    EXPECT_EQ(C().Combo(control_id::DeviceAspect)->currentIndex(), 0);

    ChooseDevice(MobileKind::Pmp);
    EXPECT_EQ(C().Combo(control_id::Profile)->currentIndex(), 1);
    EXPECT_EQ(C().Combo(control_id::DeviceAudioBitrate)->count(), 9);
    EXPECT_EQ(C().Combo(control_id::DeviceAudioSample)->count(), 4);
    EXPECT_FALSE(Visible(control_id::DeviceChannels));
    EXPECT_TRUE(Visible(control_id::DeviceAudioSample));
    EXPECT_GE(C().Combo(control_id::DeviceAudioSample)->currentIndex(), 0);
}

// A tool directory holding only the PSP profiles, whose default is profile 3.
class MissingProfiles : public OptionPanels {
protected:
    static QString OnlyPsp()
    {
        static testing::TempFolder folder;
        std::string text = FileContents((kShippedProfiles + "TARVO_Pro_PSP.ini").toStdString());
        const std::size_t at = text.find("DefaultProfile=7");
        if (at != std::string::npos)
            text.replace(at, 16, "DefaultProfile=3");
        std::ofstream(folder.File("TARVO_Pro_PSP.ini"), std::ios::binary) << text;
        return QString::fromStdString(folder.Folder());
    }
    MissingProfiles()
        : OptionPanels(OnlyPsp())
    {
    }
};

TEST_F(MissingProfiles, AMissingFileKeepsTheProfilesShownAndSelectsTheFirstValues)
{
    ChooseDevice(MobileKind::Psp);
    ASSERT_EQ(C().Combo(control_id::Profile)->count(), 23);
    EXPECT_EQ(C().Combo(control_id::Profile)->currentIndex(), 7)
        << "the start profile, not the file's default";
    ChooseDevice(MobileKind::Xbox360);
    EXPECT_EQ(C().Combo(control_id::Profile)->count(), 23);
    EXPECT_EQ(C().Combo(control_id::Profile)->currentIndex(), 2);
    EXPECT_EQ(C().Combo(control_id::DeviceVideoSize)->count(), 3);
    for (const int id :
        { control_id::DeviceVideoSize, control_id::DeviceVideoBitrate, control_id::DeviceFrameRate,
            control_id::DeviceAudioBitrate, control_id::DeviceChannels, control_id::DeviceAspect })
        EXPECT_EQ(C().Combo(id)->currentIndex(), 0) << id;
    EXPECT_FALSE(C().Combo(control_id::DeviceVideoSize)->isEnabled());
}

// A tool directory whose PSP profile file a user enlarged to 2 MB and whose
// Xbox360 file to just under 1 MB, by pasting profiles many times over.
class EnlargedProfiles : public OptionPanels {
protected:
    static std::string Enlarged(const char* name, int extra)
    {
        std::string text = FileContents((kShippedProfiles + name).toStdString());
        for (int k = 0; k < extra; ++k) {
            const std::string n = std::to_string(100 + k);
            text += "\n[profile" + n + "]\nTitle=Pasted " + n
                + "\nVideoSize=1\nVideoBitrate=2\nFrameRate=3\n"
                  "AudioBitrate=1\nChannel=1\n";
        }
        return text;
    }
    static QString ToolDir()
    {
        static testing::TempFolder folder;
        static const QString written = [] {
            std::ofstream(folder.File("TARVO_Pro_PSP.ini"), std::ios::binary)
                << Enlarged("TARVO_Pro_PSP.ini", 20000);
            std::ofstream(folder.File("TARVO_Pro_Xbox.ini"), std::ios::binary)
                << Enlarged("TARVO_Pro_Xbox.ini", 9500);
            return QString::fromStdString(folder.Folder());
        }();
        return written;
    }
    EnlargedProfiles()
        : OptionPanels(ToolDir())
    {
    }
    // Does what the user does and answers every message box that opens while
    // the window settles; the time is what the choice held the window for.
    double ChooseAndAnswer(const std::function<void()>& choose)
    {
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<CSkinMessageBox*>(QApplication::activeModalWidget())) {
                boxTexts << box->TextLabel()->Text();
                box->OnOK();
            }
        });
        answering.start(10);
        const auto start = std::chrono::steady_clock::now();
        choose();
        const double seconds
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        QTest::qWait(200);
        return seconds;
    }
    QStringList boxTexts;
};

TEST_F(EnlargedProfiles, ATwoMegabyteFileIsRefusedAtOnceWithOneMessage)
{
    ChooseAndAnswer([this] { ChooseDevice(MobileKind::Xbox360); });
    const int xboxProfiles = C().Combo(control_id::Profile)->count();
    Dlg().OnMenuCommand(command_id::ToPcVideo);
    boxTexts.clear();
    // "To Mobile Video" opens the PSP's panel.
    const double seconds = ChooseAndAnswer([this] { Dlg().OnMenuCommand(command_id::ToMobileVideo); });
    std::cout << "PSP panel with a 2 MB profile file: " << seconds * 1000 << " ms\n";
    EXPECT_LE(seconds, 1.0);
    EXPECT_EQ(boxTexts,
        QStringList {
            QStringLiteral("The profile file TARVO_Pro_PSP.ini is larger than 1 MB and was not read.") });
    // As for a missing file: the list keeps what it showed, the values are the first ones.
    EXPECT_EQ(C().Combo(control_id::Profile)->count(), xboxProfiles);
    EXPECT_EQ(C().Combo(control_id::DeviceVideoSize)->count(), 4);
    EXPECT_EQ(C().Combo(control_id::DeviceVideoSize)->currentIndex(), 0);
}

TEST_F(EnlargedProfiles, AFileJustUnderTheLimitFillsThePanelInWellUnderASecond)
{
    const double seconds = ChooseAndAnswer([this] { ChooseDevice(MobileKind::Xbox360); });
    std::cout << "Xbox360 panel with a "
              << FileContents(f.programFolders.toolDir.toStdString() + "TARVO_Pro_Xbox.ini").size()
              << "-byte profile file: " << seconds * 1000 << " ms\n";
    EXPECT_LE(seconds, 1.0);
    EXPECT_EQ(boxTexts.size(), 1) << "only the PSP file, shown on the way to the Xbox360";
    CSkinComboBox* profile = C().Combo(control_id::Profile);
    // The names that fit the 65535-byte buffer, the last one cut short.
    EXPECT_GT(profile->count(), 4000);
    EXPECT_EQ(
        profile->itemText(profile->count() - 2), QStringLiteral("Pasted %1").arg(profile->count() + 92));
    EXPECT_EQ(profile->currentIndex(), 2);
    EXPECT_FALSE(C().Combo(control_id::DeviceVideoSize)->isEnabled());
}

} // namespace
} // namespace kelvara::testing
