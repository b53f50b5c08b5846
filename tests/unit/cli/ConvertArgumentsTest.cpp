// The arguments of `kelvara --convert`: what each usage error says, and how
// the accepted values land on the window's lists.
#include "cli/ConvertArguments.h"
#include "batch/FilesAtOnce.h"
#include "cli/KindTable.h"
#include "options/OptionItems.h"
#include "options/OutputCatalogue.h"

#include <set>

#include <gtest/gtest.h>

using namespace kelvara;
using namespace kelvara::cli;

namespace {

ParsedArguments Parse(std::vector<std::string> arguments)
{
    return ParseConvertArguments(arguments);
}

TEST(ConvertArguments, UsageErrorsSayWhatIsWrong)
{
    const struct {
        std::vector<std::string> arguments;
        std::string errorStart;
    } cases[] = {
        { { "--kind", "mp3", "--frobnicate", "a.wav" }, "unknown option --frobnicate" },
        { { "--kind" }, "the option --kind needs a value" },
        { { "a.wav" }, "no --kind given" },
        { { "--kind", "mp5", "a.wav" }, "unknown kind mp5" },
        { { "--kind", "mp3" }, "no files to convert" },
        { { "--kind", "mp3", "--", "--list" }, "" }, // "--" makes it a file
        { { "--kind", "mp3", "--bitrate", "100", "a.wav" },
            "--bitrate 100 is not offered; choose one of auto, 32, 48, 64, 80, 96, 128, 160, 192, 224, 256, "
            "320" },
        { { "--kind", "flac", "--bitrate", "192", "a.wav" }, "--bitrate does not apply to the kind flac" },
        { { "--kind", "psp", "--bitrate", "192", "a.wav" }, "--bitrate does not apply to the kind psp" },
        { { "--kind", "mp3", "--rate", "44000", "a.wav" }, "--rate 44000 is not offered" },
        { { "--kind", "mp3", "--profile", "2", "a.wav" }, "--profile does not apply to the kind mp3" },
        { { "--kind", "psp", "--profile", "two", "a.wav" }, "--profile takes a profile's number" },
        { { "--kind", "mp4", "--trim", "00:00:10", "a.mov" }, "--trim 00:00:10 is not START-END" },
        { { "--kind", "mp4", "--trim", "00:01:00-00:00:10", "a.mov" }, "--trim 00:01:00-00:00:10 is not" },
        { { "--kind", "mp4", "--trim", "00:00:75-00:01:00", "a.mov" }, "--trim 00:00:75-00:01:00 is not" },
        { { "--kind", "mp4", "--jobs", "0", "a.mov" }, "--jobs takes auto or a number" },
        { { "--kind", "mp4", "--picture", "png", "a.mov" }, "--picture applies to the kind image" },
        { { "--kind", "image", "--picture", "webp", "a.mov" }, "unknown picture type webp" },
        { { "--kind", "mpeg", "--mpeg-type", "VCD", "a.mov" }, "unknown MPEG type VCD" }, // PAL or NTSC?
        { { "--kind", "avi", "--mpeg-type", "DVD PAL", "a.mov" }, "--mpeg-type applies to the kind mpeg" },
        { { "--kind", "mp3", "--out=", "a.wav" }, "--out needs a folder" },
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = Parse(c.arguments);
        EXPECT_EQ(parsed.request.has_value(), c.errorStart.empty()) << c.errorStart;
        EXPECT_TRUE(parsed.usageError.starts_with(c.errorStart)) << parsed.usageError;
    }
}

TEST(ConvertArguments, ValuesLandOnTheWindowsLists)
{
    const auto request = Parse({ "--kind=mp3", "--bitrate", "192", "--rate", "44100", "--jobs", "auto",
                                   "--trim", "1:02.5-00:01:10", "--out", "out", "a.wav", "b.wav" })
                             .request;
    ASSERT_TRUE(request);
    EXPECT_EQ(
        option_items::kAudioBitrates[static_cast<std::size_t>(request->audioBitratePosition)], "192   kbps");
    EXPECT_EQ(
        option_items::kAudioSampleRates[static_cast<std::size_t>(request->sampleRatePosition)], "44100  Hz");
    EXPECT_EQ(request->filesAtOnce, kFilesAtOnceAuto);
    ASSERT_TRUE(request->trim);
    EXPECT_DOUBLE_EQ(request->trim->startMs, 62500.0);
    EXPECT_DOUBLE_EQ(request->trim->endMs, 70000.0);
    EXPECT_EQ(request->files, (std::vector<std::string> { "a.wav", "b.wav" }));

    // A disc type names the MPEG kind; the standard types take a part of their name.
    const auto disc = Parse({ "--kind", "dvd-ntsc", "a.mov" }).request;
    ASSERT_TRUE(disc);
    EXPECT_TRUE(disc->kind.Is(PcKind::Mpeg));
    EXPECT_EQ(option_items::kMpegTypes[static_cast<std::size_t>(disc->mpegType)], "DVD NTSC");
    EXPECT_EQ(MpegTypeByName("mpeg2"), 7);

    const auto picture = Parse({ "--kind", "image", "--picture", "png", "a.mov" }).request;
    ASSERT_TRUE(picture);
    EXPECT_NE(PictureTypes()[static_cast<std::size_t>(picture->picturePosition)].comboText.find("(*.png)"),
        std::string_view::npos);
}

// Every kind of every strip has one id, and the id finds it again.
TEST(KindTable, EveryKindOfTheWindowHasOneId)
{
    std::set<std::string_view> ids;
    int kinds = 0;
    for (const OutputCategory category :
        { OutputCategory::PcVideo, OutputCategory::MobileVideo, OutputCategory::Audio })
        for (int kind = 0; kind < KindCount(category); ++kind, ++kinds) {
            const std::string_view id = IdOfKind({ category, kind });
            ASSERT_FALSE(id.empty()) << TabLabel({ category, kind });
            ids.insert(id);
            const std::optional<OutputKind> found = KindById(id);
            ASSERT_TRUE(found);
            EXPECT_TRUE(found->category == category && found->kind == kind) << id;
        }
    EXPECT_EQ(static_cast<int>(ids.size()), kinds);
}

} // namespace
