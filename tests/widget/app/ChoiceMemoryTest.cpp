// A new session of the window: the output choices of the last one come back
// as a user's clicks would set them.
#include "AppFakes.h"

#include "app/RememberedChoices.h"
#include "options/OutputCatalogue.h"
#include "skin/CImageTab.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinLabel.h"

#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// One start of the program on the settings `stored`, with the shipped device
// profiles, shown until its first picture and the lists filled after it. Not
// the shared fixture: the settings must be in place before OnInitDialog.
struct Session {
    explicit Session(const std::map<QString, QString>& stored)
    {
        settings.values = stored;
        dialog = std::make_unique<CConverterDlg>(
            programFolders, DialogServices { &settings, &shell, &folders, &preview, &sound });
        bool painted = false;
        QObject::connect(dialog.get(), &CConverterDlg::FirstPainted, [&painted] { painted = true; });
        dialog->OnInitDialog(nullptr);
        dialog->show();
        EXPECT_TRUE(WaitFor([&] { return painted; }));
        Settle();
    }
    const ControlTable& C() const { return dialog->Controls(); }

    FakeSettingsStore settings;
    FakeDesktopShell shell;
    FakeFileDialogs folders;
    FakePreviewComponent preview;
    FakeSoundPlayer sound;
    ProgramFolders programFolders { "/opt/kelvara/", KELVARA_SOURCE_DIR "/data/", "/home/ann/", "3.1" };
    std::unique_ptr<CConverterDlg> dialog;
};

TEST(ChoiceMemory, TheKindTabAndListsOfOneSessionComeBackInTheNext)
{
    struct Case {
        int command;
        int strip;
        int tab;
        std::vector<std::pair<int, int>> picks; // list, item; -1 the one after the item shown
    };
    const Case cases[] = {
        { command_id::ToAudio, control_id::AudioTabs, static_cast<int>(AudioKind::Wav),
            { { control_id::AudioBitrate, 3 }, { control_id::AudioSample, 1 } } },
        { command_id::ToMobileVideo, control_id::MobileTabs, static_cast<int>(MobileKind::Xbox360),
            { { control_id::Profile, 2 } } },
        { command_id::ToPcVideo, control_id::PcTabs, static_cast<int>(PcKind::Mpeg),
            { { control_id::MpegType, 2 } } },
        // Lists filled after the first picture, and a profile's own values.
        { command_id::ToPcVideo, control_id::PcTabs, static_cast<int>(PcKind::Avi),
            { { control_id::AviFrameRate, 2 }, { control_id::AviSoundCodec, 1 } } },
        { command_id::ToMobileVideo, control_id::MobileTabs, static_cast<int>(MobileKind::Psp),
            { { control_id::Profile, 0 }, { control_id::DeviceVideoSize, -1 },
                { control_id::DeviceVideoBitrate, -1 } } },
        { command_id::ToPcVideo, control_id::PcTabs, static_cast<int>(PcKind::Image),
            { { control_id::ImageType, 4 } } },
        // A PC kind of today shows the device panel too.
        { command_id::ToPcVideo, control_id::PcTabs, static_cast<int>(PcKind::Mp4),
            { { control_id::Profile, 0 }, { control_id::DeviceVideoBitrate, -1 } } },
    };
    for (const Case& c : cases) {
        Session first({});
        first.dialog->OnMenuCommand(c.command);
        first.C().Tab(c.strip)->Select(c.tab);
        first.dialog->OnOutputTabChanged(first.C().Tab(c.strip));
        for (const auto& [list, item] : c.picks) {
            CSkinComboBox* combo = first.C().Combo(list);
            combo->SelectByUser(item >= 0 ? item : (combo->currentIndex() + 1) % combo->count());
            Settle();
        }
        const OutputKind kind = first.dialog->Output().Current();
        first.dialog->SaveChoices(); // as closing the window does
        Session next(first.settings.values);
        EXPECT_EQ(next.dialog->Output().Current().category, kind.category) << c.tab;
        EXPECT_EQ(next.dialog->Output().Current().kind, kind.kind);
        EXPECT_TRUE(next.C().At(c.strip)->isVisibleTo(next.dialog.get()));
        EXPECT_EQ(next.C().Tab(c.strip)->GetCurSel(), c.tab);
        // Every list the panel shows as the first session left it, the
        // values a preset or profile set included.
        for (const RememberedList& list : kRememberedLists) {
            const CSkinComboBox* was = first.C().Combo(list.controlId);
            if (was->isVisibleTo(first.dialog.get())) {
                EXPECT_EQ(next.C().Combo(list.controlId)->currentText(), was->currentText())
                    << list.key << c.tab;
            }
        }
        for (const int label : { control_id::AudioDescription, control_id::ImageDescription })
            EXPECT_EQ(next.C().Label(label)->Text(), first.C().Label(label)->Text());
    }
}

TEST(ChoiceMemory, ChoicesThatNoLongerExistAreIgnored)
{
    Session fresh({});
    fresh.dialog->OnMenuCommand(command_id::ToMobileVideo);
    Settle();
    Session stale({ { "Choices/Category", "1" }, { "Choices/Tab", "9" },
        { "Choices/DeviceProfile", "A profile since deleted" }, { "Choices/AudioBitrate", "999 kbps" },
        { "Choices/ImageType", "" } });
    EXPECT_TRUE(stale.dialog->Output().Current().Is(MobileKind::Psp));
    for (const int list :
        { control_id::Profile, control_id::AudioBitrate, control_id::ImageType, control_id::DeviceVideoSize })
        EXPECT_EQ(stale.C().Combo(list)->currentIndex(), fresh.C().Combo(list)->currentIndex()) << list;
}

} // namespace
} // namespace kelvara::testing
