// Choosing the output kind: the category menu, the tab strips, the panel that
// follows the kind, and the jobs made to wait again.
#include "AppFakes.h"

#include "options/OutputCatalogue.h"
#include "skin/CImageTab.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinTextField.h"

#include <gtest/gtest.h>

namespace kelvara::testing {
namespace {

class OutputKinds : public ::testing::Test {
protected:
    CConverterDlg& Dlg() { return *f.dialog; }
    const ControlTable& C() { return f.dialog->Controls(); }
    bool Visible(int id) { return C().At(id)->isVisibleTo(f.dialog.get()); }
    void AddDoneJobs(int count)
    {
        for (int i = 0; i < count; ++i) {
            JobRecord job;
            job.stateIcon = JobState::Done;
            job.percentDone = 100;
            Dlg().Jobs().Add(job);
        }
    }
    bool AllQueued()
    {
        for (int i = 0; i < Dlg().Jobs().GetSize(); ++i)
            if (Dlg().Jobs().GetAt(i).stateIcon != JobState::Queued || Dlg().Jobs().GetAt(i).percentDone != 0)
                return false;
        return true;
    }
    std::pair<double, double> TrimMinMax()
    {
        return { Dlg().Preview().TrimSlider().GetMin(), Dlg().Preview().TrimSlider().GetMax() };
    }
    std::pair<double, double> TrimRange()
    {
        return { Dlg().Preview().TrimSlider().GetLeft(), Dlg().Preview().TrimSlider().GetRight() };
    }
    void PressStrip(int stripId, int x)
    {
        QTest::mousePress(C().Tab(stripId), Qt::LeftButton, {}, QPoint(x, 14));
    }
    void PressTab(int stripId, int tab) { PressStrip(stripId, C().Tab(stripId)->TabRect(tab).center().x()); }

    DialogFixture f;
};

TEST_F(OutputKinds, StartStateIsAviWithThePcStripAndTheTrimAtItsFullRange)
{
    EXPECT_TRUE(Dlg().Output().Current().Is(PcKind::Avi));
    EXPECT_TRUE(Visible(control_id::PcTabs));
    EXPECT_FALSE(Visible(control_id::MobileTabs));
    EXPECT_FALSE(Visible(control_id::AudioTabs));
    EXPECT_TRUE(Visible(control_id::AviCodec));
    EXPECT_FALSE(Visible(control_id::MpegType));
    EXPECT_EQ(TrimMinMax(), std::make_pair(0.0, 100.0));
    EXPECT_EQ(TrimRange(), std::make_pair(0.0, 100.0));
    EXPECT_EQ(C().Label(control_id::AudioDescription)->Text(),
        "    Extract audio from your video files to MP3s so you can listen them \nwith your MP3 player and "
        "iPod "
        "player.");
    EXPECT_EQ(
        C().Label(control_id::ImageDescription)->Text(), QString::fromLatin1(PictureTypes()[0].description));
    EXPECT_TRUE(C().Field(control_id::Width)->isEnabled());
    EXPECT_TRUE(C().Button(control_id::Custom)->GetCheck());
    EXPECT_FALSE(C().Button(control_id::Original)->GetCheck());
}

TEST_F(OutputKinds, EachCategoryFromTheMenuShowsItsStripAtItsFirstTab)
{
    Dlg().OnMenuCommand(command_id::ToAudio);
    EXPECT_TRUE(Visible(control_id::AudioTabs));
    EXPECT_FALSE(Visible(control_id::PcTabs));
    EXPECT_TRUE(Dlg().Output().Current().Is(AudioKind::Mp3));
    EXPECT_TRUE(Visible(control_id::AudioBitrate));
    EXPECT_FALSE(Visible(control_id::Width));
    EXPECT_EQ(C().Label(control_id::AudioDescription)->Text(), QString::fromLatin1(AudioDescription(0)));

    PressTab(control_id::AudioTabs, 3);
    EXPECT_TRUE(Dlg().Output().Current().Is(AudioKind::Mp2));
    Dlg().OnMenuCommand(command_id::ToMobileVideo);
    EXPECT_TRUE(Visible(control_id::MobileTabs));
    EXPECT_TRUE(Dlg().Output().Current().Is(MobileKind::Psp));
    EXPECT_EQ(C().Tab(control_id::MobileTabs)->GetCurSel(), 0);
    EXPECT_EQ(Dlg().Output().Kind(OutputCategory::Audio), -1);
    EXPECT_TRUE(Visible(control_id::Profile));
    EXPECT_TRUE(Visible(control_id::DeviceChannels));
    EXPECT_FALSE(Visible(control_id::DeviceAspect));
    EXPECT_FALSE(Visible(control_id::AudioBitrate));

    Dlg().OnMenuCommand(command_id::ToAudio);
    EXPECT_EQ(C().Tab(control_id::AudioTabs)->GetCurSel(), 0) << "a category always starts at its first kind";
    Dlg().OnMenuCommand(command_id::ToPcVideo);
    EXPECT_TRUE(Dlg().Output().Current().Is(PcKind::Avi));
}

TEST_F(OutputKinds, ATabChangeSwitchesTheKindAndQueuesEveryJobAgain)
{
    AddDoneJobs(3);
    PressTab(control_id::PcTabs, 1);
    EXPECT_TRUE(Dlg().Output().Current().Is(PcKind::Mpeg));
    EXPECT_TRUE(Visible(control_id::MpegType));
    EXPECT_FALSE(Visible(control_id::AviCodec));
    EXPECT_TRUE(AllQueued());
}

TEST_F(OutputKinds, TabChangesAreIgnoredDuringABatch)
{
    AddDoneJobs(2);
    Dlg().SetConverting(true);
    PressTab(control_id::PcTabs, 2);
    EXPECT_EQ(C().Tab(control_id::PcTabs)->GetCurSel(), 2) << "the strip shows the click";
    EXPECT_TRUE(Dlg().Output().Current().Is(PcKind::Avi));
    EXPECT_TRUE(Visible(control_id::AviCodec));
    EXPECT_FALSE(AllQueued());
}

TEST_F(OutputKinds, TheLastPixelsOfThePcStripKeepTheKindButStillQueueTheJobs)
{
    PressTab(control_id::PcTabs, 1);
    AddDoneJobs(2);
    PressStrip(control_id::PcTabs, 431); // seven tabs of 61 pixels end at 427
    EXPECT_TRUE(Dlg().Output().Current().Is(PcKind::Mpeg));
    EXPECT_EQ(C().Tab(control_id::PcTabs)->GetCurSel(), 1);
    EXPECT_TRUE(AllQueued());
}

TEST_F(OutputKinds, SnapshotFromAudioChoosesImageAndKeepsTheAudioKind)
{
    Dlg().OnMenuCommand(command_id::ToAudio);
    PressTab(control_id::AudioTabs, 2);
    AddDoneJobs(1);
    C().Button(control_id::Snapshot)->click();
    EXPECT_TRUE(Dlg().Output().Current().Is(PcKind::Image));
    EXPECT_TRUE(Visible(control_id::PcTabs));
    EXPECT_FALSE(Visible(control_id::AudioTabs));
    EXPECT_EQ(C().Tab(control_id::PcTabs)->GetCurSel(), 2);
    EXPECT_EQ(C().Tab(control_id::AudioTabs)->GetCurSel(), 0);
    EXPECT_EQ(Dlg().Output().Kind(OutputCategory::Audio), 2);
    EXPECT_TRUE(Visible(control_id::ImageType));
    EXPECT_FALSE(Visible(control_id::AudioDescription));
    EXPECT_TRUE(AllQueued());
}

TEST_F(OutputKinds, DiscMpegTypesGreyTheFrameSizeAndImageFollowsTheHiddenList)
{
    C().Combo(control_id::MpegType)->SetCurSel(0); // VCD PAL
    PressTab(control_id::PcTabs, 1);
    EXPECT_FALSE(C().Field(control_id::Width)->isEnabled());
    EXPECT_FALSE(C().Field(control_id::Height)->isEnabled());
    EXPECT_TRUE(C().Button(control_id::Original)->GetCheck());
    EXPECT_FALSE(C().Button(control_id::Custom)->GetCheck());
    PressTab(control_id::PcTabs, 2);
    EXPECT_FALSE(C().Field(control_id::Width)->isEnabled()) << "Image reads the hidden MPEG type";
    C().Combo(control_id::MpegType)->SetCurSel(6);
    Dlg().RefreshOutputPanel();
    EXPECT_TRUE(C().Field(control_id::Width)->isEnabled());
    EXPECT_TRUE(C().Button(control_id::Custom)->GetCheck());
    PressTab(control_id::PcTabs, 0);
    C().Combo(control_id::MpegType)->SetCurSel(3);
    Dlg().RefreshOutputPanel();
    EXPECT_TRUE(C().Field(control_id::Width)->isEnabled()) << "AVI always lets the size be chosen";
}

TEST_F(OutputKinds, AnImageTypeChangeShowsItsDescriptionAndQueuesTheJobs)
{
    PressTab(control_id::PcTabs, 2);
    AddDoneJobs(2);
    C().Combo(control_id::ImageType)->SelectByUser(6);
    ASSERT_TRUE(WaitFor([&] { return AllQueued(); }));
    EXPECT_EQ(C().Label(control_id::ImageDescription)->Text(),
        "    Extract the first frame of your video files into psd format picture\n so you can enjoy them "
        "with your "
        "Picture Viewer and Photoshop");
}

TEST_F(OutputKinds, ResetReturnsToAviAndKeepsTheAviAndMpegSelections)
{
    C().Combo(control_id::MpegType)->SetCurSel(4);
    C().Combo(control_id::AviFrameRate)->SetCurSel(1);
    C().Combo(control_id::AudioBitrate)->SetCurSel(3);
    C().Combo(control_id::ImageType)->SetCurSel(5);
    Dlg().OnMenuCommand(command_id::ToMobileVideo);
    Dlg().Preview().TrimSlider().SetMinMax(0, 5000);
    Dlg().Preview().TrimSlider().SetRange(1000, 4000);
    Dlg().ResetOutputSettings();
    EXPECT_TRUE(Dlg().Output().Current().Is(PcKind::Avi));
    EXPECT_TRUE(Visible(control_id::PcTabs));
    EXPECT_FALSE(Visible(control_id::MobileTabs));
    EXPECT_EQ(C().Combo(control_id::MpegType)->currentIndex(), 4);
    EXPECT_EQ(C().Combo(control_id::AviFrameRate)->currentIndex(), 1);
    EXPECT_EQ(C().Combo(control_id::AudioBitrate)->currentIndex(), 0);
    EXPECT_EQ(C().Combo(control_id::ImageType)->currentIndex(), 0);
    EXPECT_EQ(TrimRange(), std::make_pair(0.0, 100.0));
}

TEST_F(OutputKinds, WithNoJobsTheCategoryStillSwitches)
{
    ASSERT_EQ(Dlg().Jobs().GetSize(), 0);
    Dlg().OnMenuCommand(command_id::ToAudio);
    EXPECT_TRUE(Visible(control_id::AudioSample));
}

} // namespace
} // namespace kelvara::testing
