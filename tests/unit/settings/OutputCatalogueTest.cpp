// The texts of the output kinds, as the panel shows them.
#include "options/OutputCatalogue.h"
#include "app/DialogTemplate.h"
#include "options/OptionItems.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(OutputCatalogue, TabLabelsOfTheThreeStrips)
{
    EXPECT_EQ(KindCount(OutputCategory::PcVideo), 7);
    EXPECT_EQ(KindCount(OutputCategory::MobileVideo), 7);
    EXPECT_EQ(KindCount(OutputCategory::Audio), 10);
    EXPECT_EQ(TabLabel({ OutputCategory::PcVideo, 2 }), "Image");
    EXPECT_EQ(TabLabel({ OutputCategory::MobileVideo, 2 }), "Pocket PC");
    EXPECT_EQ(TabLabel({ OutputCategory::Audio, 4 }), "To AC3");
    EXPECT_EQ(TabLabel({ OutputCategory::Audio, 9 }), "To ALAC");
    EXPECT_EQ(TabLabel({ OutputCategory::Audio, 10 }), "");
    EXPECT_EQ(TabLabel({ OutputCategory::Audio, -1 }), "");
}

TEST(OutputCatalogue, PictureTypesKeepTheirExactTexts)
{
    const auto types = PictureTypes();
    ASSERT_EQ(types.size(), 13u);
    EXPECT_EQ(types[0].comboText, "To GIF Animation - gif video(*.gif)");
    EXPECT_EQ(types[0].description,
        "    Convert your video files to Gif animation so you can enjoy them \n with your Gif Picture Viewer "
        "and "
        "ACDSee");
    EXPECT_EQ(types[8].comboText, "To TIFF Image - tiff picture(*.tiff)");
    EXPECT_EQ(types[8].description,
        "    Extract the first frame of your video files into tiff format picture\n so you can enjoy them "
        "with your "
        "Picture Viewer");
    EXPECT_EQ(types[6].description,
        "    Extract the first frame of your video files into psd format picture\n so you can enjoy them "
        "with your "
        "Picture Viewer and Photoshop");
    EXPECT_EQ(types[12].comboText, "To J2K Image - j2k picture(*.j2k)");
}

TEST(OutputCatalogue, EveryStillPictureDescriptionNamesItsOwnFormat)
{
    const auto types = PictureTypes();
    for (std::size_t i = 1; i < types.size(); ++i) {
        const std::string_view combo = types[i].comboText;
        const std::string format(combo.substr(3, combo.find(' ', 3) - 3));
        std::string lower;
        for (const char c : format)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(types[i].description.find("into " + lower + " format picture"), std::string_view::npos)
            << i;
    }
}

TEST(OutputCatalogue, AudioDescriptionsNameTheKindTwice)
{
    EXPECT_EQ(AudioDescription(0),
        "    It can convert almost all kinds of audio and video files to an MP3 file.\n With the build-in "
        "multimedia player, you can preview the media file, set \nstarttime and end time, convert any audio "
        "section of the file to high quality\nMP3 file.");
    const char* names[] = { "an MP3", "an WMA", "an WAV", "an MP2", "an AC3", "a FLAC", "an Opus", "an AAC",
        "an Ogg Vorbis", "an ALAC" };
    for (int kind = 0; kind < 10; ++kind) {
        const std::string_view text = AudioDescription(kind);
        const std::string name = std::string(names[kind]).substr(std::string(names[kind]).find(' ') + 1);
        EXPECT_NE(text.find(std::string("to ") + names[kind] + " file."), std::string_view::npos) << kind;
        EXPECT_TRUE(text.ends_with("\n" + name + " file.")) << kind;
    }
    EXPECT_EQ(AudioDescription(10), "");
}

TEST(OutputCatalogue, DevicesStartWithTheirOwnProfile)
{
    EXPECT_EQ(DeviceStartProfile(0), 7);
    EXPECT_EQ(DeviceStartProfile(1), 2);
    EXPECT_EQ(DeviceStartProfile(2), 2);
    EXPECT_EQ(DeviceStartProfile(3), 1);
    EXPECT_EQ(DeviceStartProfile(4), 2);
    EXPECT_EQ(DeviceStartProfile(7), -1);
}

TEST(OptionItems, DefaultsPointAtTheDocumentedItems)
{
    for (const OptionList& list : FixedOptionLists()) {
        ASSERT_GE(list.defaultItem, 0);
        ASSERT_LT(list.defaultItem, static_cast<int>(list.items.size())) << list.controlId;
    }
    const auto itemOf = [](int id) {
        for (const OptionList& list : FixedOptionLists())
            if (list.controlId == id)
                return list.items[static_cast<std::size_t>(list.defaultItem)];
        return std::string_view();
    };
    EXPECT_EQ(itemOf(control_id::AviFrameRate), "25      HZ");
    EXPECT_EQ(itemOf(control_id::MpegType), "MPEG1 Standard");
    EXPECT_EQ(itemOf(control_id::MpegFrameRate), "25         HZ");
    EXPECT_EQ(itemOf(control_id::MpegAudioBitrate), "128 Kbit/s");
    EXPECT_EQ(itemOf(control_id::MpegAudioRate), "44100   ");
    EXPECT_EQ(itemOf(control_id::AudioBitrate), "Auto");
    EXPECT_EQ(itemOf(control_id::AudioSample), "Same As Input File");
    EXPECT_EQ(option_items::kMpegAudioBitrates.back(), "448 Kbit/s");
    EXPECT_EQ(option_items::kAudioSampleRates[6], "48000  Hz");
}

} // namespace
} // namespace kelvara
