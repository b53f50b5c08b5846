// "Use the graphics card": found at start behind the window's back, shown
// only for a kind whose codec a card encoder that passed its trial makes,
// kept in the settings and handed to the device conversions.
#include "AppFakes.h"

#include "app/HardwareDetectionAtStart.h"
#include "conversions/GraphicsCardKinds.h"
#include "ffmpeg/FfmpegProgram.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelvara::testing {
namespace {

namespace fs = std::filesystem;

TEST(GraphicsCardOption, ShownOnlyForAKindThatAnEncoderFoundAtStartServes)
{
    struct Case {
        const char* listing; // every run prints it and ends well, so each trial passes
        bool shownForMp4;
    };
    const Case cases[] = { { "", false }, { " V....D libx264 x\\n V....D h264_nvenc x\\n", true } };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string ffmpeg = folder.Write("ffmpeg",
            std::string("#!/bin/sh\ntouch \"$(dirname \"$0\")/asked\"\nprintf '") + c.listing + "'\n");
        fs::permissions(ffmpeg, fs::perms::owner_all);
        const ScopedVariable variable(kFfmpegVariable, ffmpeg);
        DialogFixture f;
        HardwareDetectionAtStart detection(*f.dialog);
        f.dialog->show();
        ASSERT_TRUE(WaitFor([&] { return fs::exists(folder.File("asked")); }));
        QTest::qWait(300);

        CSkinButton* box = f.dialog->Controls().Button(control_id::UseGraphicsCard);
        const auto shown = [&] { return box->isVisibleTo(f.dialog.get()); };
        EXPECT_FALSE(shown()) << "on AVI, " << c.listing;
        CImageTab* strip = f.dialog->Controls().Tab(control_id::PcTabs);
        if (strip->Count() <= static_cast<int>(PcKind::Mp4))
            continue; // a strip without the MP4 tab
        strip->Select(static_cast<int>(PcKind::Mp4));
        f.dialog->OnOutputTabChanged(strip);
        EXPECT_EQ(WaitFor(shown, 1000), c.shownForMp4) << c.listing;
        if (!c.shownForMp4)
            continue;
        EXPECT_TRUE(f.dialog->CurrentDeviceChoice().graphicsCard.empty()) << "not checked yet";
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_EQ(f.settings.values[QStringLiteral("Choices/UseGraphicsCard")], QStringLiteral("1"));
        ASSERT_EQ(f.dialog->CurrentDeviceChoice().graphicsCard.size(), 1U);
        EXPECT_EQ(f.dialog->CurrentDeviceChoice().graphicsCard[0].name, "h264_nvenc");
    }
}

TEST(GraphicsCardOption, EachKindWantsACardForItsOwnCodec)
{
    const UsableEncoder h264 { "h264_vaapi", VideoCodec::H264, HardwareApi::Vaapi, "/dev/dri/renderD128" };
    const UsableEncoder hevc { "hevc_nvenc", VideoCodec::Hevc, HardwareApi::Nvenc, "" };
    const UsableEncoder av1 { "av1_nvenc", VideoCodec::Av1, HardwareApi::Nvenc, "" };
    const auto pc = [](PcKind kind) {
        return OutputKind { OutputCategory::PcVideo, static_cast<int>(kind) };
    };
    const auto mobile = [](MobileKind kind) {
        return OutputKind { OutputCategory::MobileVideo, static_cast<int>(kind) };
    };
    struct Case {
        OutputKind kind;
        std::vector<UsableEncoder> encoders;
        bool served;
    };
    const Case cases[] = {
        { pc(PcKind::Mp4), { h264 }, true },
        { pc(PcKind::Mp4), { hevc, av1 }, false },
        { pc(PcKind::Mkv), { hevc }, true },
        { pc(PcKind::WebM), { h264, hevc, av1 }, false },
        { pc(PcKind::Av1), { av1 }, true },
        { pc(PcKind::Avi), { h264, hevc, av1 }, false },
        { mobile(MobileKind::TvStick), { h264 }, false },
        { mobile(MobileKind::Web), { h264 }, true },
        { mobile(MobileKind::Psp), { h264 }, false },
        { { OutputCategory::Audio, static_cast<int>(PcKind::Mp4) }, { h264 }, false },
        { pc(PcKind::Mp4), {}, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(GraphicsCardServes(c.kind, c.encoders), c.served)
            << static_cast<int>(c.kind.category) << "/" << c.kind.kind;
}

} // namespace
} // namespace kelvara::testing
