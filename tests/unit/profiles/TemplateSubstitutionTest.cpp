#include "conversions/TemplateSubstitution.h"
#include "naming/TimeText.h"

#include "process/CommandLine.h"

#include <gtest/gtest.h>

#include <limits>

using kelvara::DeviceKind;
using kelvara::JobRecord;
using kelvara::SubstituteTemplate;
using kelvara::SubstitutionContext;

namespace {

JobRecord ClipJob()
{
    JobRecord job;
    job.sourcePath = "/media/clip.avi";
    job.outputTitle = "clip";
    job.titleText = "clip";
    job.trimStartMs = 0;
    job.trimEndMs = 10000;
    job.fileNumber = 10000;
    return job;
}

SubstitutionContext ContextFor(DeviceKind device)
{
    SubstitutionContext context;
    context.outputFolder = "/out/";
    context.device = device;
    context.now = { 2009, 3, 7, 8, 5, 9 };
    return context;
}

std::vector<std::string> Arguments(const std::string& command)
{
    auto arguments = kelvara::SplitCommandLine(command);
    EXPECT_TRUE(arguments.has_value()) << command;
    return arguments.value_or(std::vector<std::string> {});
}

TEST(TemplateTimes, StartAndLengthAreClockTimesWithMilliseconds)
{
    JobRecord job = ClipJob();
    job.trimStartMs = 75500;
    job.trimEndMs = 3725900;
    EXPECT_EQ(SubstituteTemplate("-ss $START -t $LENGTH", job, ContextFor(DeviceKind::Xbox360)),
        "-ss 00:01:15.500 -t 01:00:50.400");
    // A trim that runs to the source's end leaves the length blank, which
    // the encoder reads as "to the end", as for an intermediate file.
    job.durationMs = 3725900.4;
    EXPECT_EQ(SubstituteTemplate("-ss '$START' -t '$LENGTH'", job, ContextFor(DeviceKind::Psp)),
        "-ss '00:01:15.500' -t ' '");
}

TEST(TemplateTimes, HoursAreNotLimitedToTwoDigits)
{
    EXPECT_EQ(kelvara::TrimTimeText(400000999.0), "111:06:40.999");
    EXPECT_EQ(kelvara::TrimTimeText(999.9), "00:00:01.000");
    EXPECT_EQ(kelvara::TrimTimeText(59999.4), "00:00:59.999");
}

// A broken source can claim any duration; the text stays a clock time and
// the conversion to whole milliseconds never leaves its range.
TEST(TemplateTimes, TimesNoClockHoldsAreHeldAtItsBounds)
{
    EXPECT_EQ(kelvara::TrimTimeText(-1.79769e+305), "00:00:00.000");
    EXPECT_EQ(kelvara::TrimTimeText(std::numeric_limits<double>::quiet_NaN()), "00:00:00.000");
    EXPECT_EQ(kelvara::TrimTimeText(-std::numeric_limits<double>::infinity()), "00:00:00.000");
    EXPECT_EQ(kelvara::TrimTimeText(std::numeric_limits<double>::infinity()), "2555555555555:33:20.000");
    EXPECT_EQ(kelvara::TrimTimeText(1.79769e+308), "2555555555555:33:20.000");
}

TEST(TemplateTimes, TimestampIsTheGivenLocalTime)
{
    EXPECT_EQ(SubstituteTemplate("at $TIMESTAMP.", ClipJob(), ContextFor(DeviceKind::Pmp)),
        "at 2009-03-07 08:05:09.");
}

TEST(TemplateIntermediate, SourceNeedingAnIntermediateFileTakesItWithoutTrimTimes)
{
    JobRecord job = ClipJob();
    job.sourcePath = "/media/movie.vob";
    job.isVob = 1;
    job.intermediatePath = "/tmp/movie_12345.avi";
    job.trimStartMs = 75500;
    job.trimEndMs = 3725900;
    EXPECT_EQ(
        SubstituteTemplate("-i '$INPUT_FILE' -ss [$START] -t [$LENGTH]", job, ContextFor(DeviceKind::Psp)),
        "-i '/tmp/movie_12345.avi' -ss [ ] -t [ ]");
    job.isVob = 0;
    job.isRealMedia = 1;
    EXPECT_EQ(SubstituteTemplate("$INPUT_FILE", job, ContextFor(DeviceKind::Psp)), "/tmp/movie_12345.avi");
    job.isRealMedia = 0;
    EXPECT_EQ(SubstituteTemplate("$INPUT_FILE $START", job, ContextFor(DeviceKind::Psp)),
        "/media/movie.vob 00:01:15.500");
}

TEST(TemplateOutputNames, PspNameSwitchesToH264NamesAtProfile17)
{
    const JobRecord job = ClipJob();
    SubstitutionContext context = ContextFor(DeviceKind::Psp);
    context.profileSelection = 3;
    EXPECT_EQ(SubstituteTemplate("$OUTPUT_DIR$OUTPUT_FILE.MP4", job, context), "/out/M4V10000.MP4");
    context.profileSelection = 16;
    EXPECT_EQ(SubstituteTemplate("$OUTPUT_DIR$OUTPUT_FILE.MP4", job, context), "/out/M4V10000.MP4");
    context.profileSelection = 17;
    EXPECT_EQ(SubstituteTemplate("$OUTPUT_DIR$OUTPUT_FILE.MP4", job, context), "/out/MAQ10000.MP4");
    JobRecord numbered = job;
    numbered.fileNumber = 80000;
    context.profileSelection = 20;
    EXPECT_EQ(SubstituteTemplate("$OUTPUT_FILE.THM", numbered, context), "MAQ80000.THM");
    numbered.fileNumber = 42;
    EXPECT_EQ(SubstituteTemplate("$OUTPUT_FILE", numbered, context), "MAQ00042");
}

TEST(TemplateOutputNames, OtherDevicesUseTheBaseNameAndEveryOccurrenceIsReplaced)
{
    const JobRecord job = ClipJob();
    EXPECT_EQ(SubstituteTemplate("'$OUTPUT_DIR$OUTPUT_FILE0001.avi' '$OUTPUT_DIR$OUTPUT_FILE.pmp'", job,
                  ContextFor(DeviceKind::Pmp)),
        "'/out/clip0001.avi' '/out/clip.pmp'");
}

TEST(TemplateOrder, TitleIsSearchedByTheLaterPlaceholdersOnly)
{
    JobRecord job = ClipJob();
    SubstitutionContext context = ContextFor(DeviceKind::Xbox360);
    context.selections.videoSize = 1;
    job.titleText = "$SIZE";
    EXPECT_EQ(SubstituteTemplate("-title '$TITLE'", job, context), "-title '1280x720'");
    job.titleText = "$OUTPUT_FILE at $TIMESTAMP";
    EXPECT_EQ(SubstituteTemplate("'$TITLE'", job, context), "'clip at 2009-03-07 08:05:09'");
    // $START and $INPUT_FILE come before the title and are not replaced in it.
    job.titleText = "$START $INPUT_FILE";
    EXPECT_EQ(SubstituteTemplate("'$TITLE'", job, context), "'$START $INPUT_FILE'");
}

TEST(TemplateOrder, UnknownAndDifferentlyCasedWordsStay)
{
    EXPECT_EQ(SubstituteTemplate(
                  "$size $ASPECT $CHANNEL $AUDIOSAMPLE $OTHER", ClipJob(), ContextFor(DeviceKind::Psp)),
        "$size $ASPECT 1 $AUDIOSAMPLE $OTHER");
    EXPECT_EQ(SubstituteTemplate("$CHANNEL $ASPECT $AUDIOSAMPLE", ClipJob(), ContextFor(DeviceKind::Pmp)),
        "$CHANNEL $ASPECT 22050");
}

TEST(TemplateDeviceValues, SelectedPositionsPickTheDeviceValues)
{
    SubstitutionContext context = ContextFor(DeviceKind::Xbox360);
    context.selections = { 2, 4, 3, 1, 0, 1, 0 };
    EXPECT_EQ(SubstituteTemplate(
                  "$SIZE $VIDEOBITRATE $FRAMERATE $AUDIOBITRATE $CHANNEL $ASPECT", ClipJob(), context),
        "1920x1080 19200 29.97 192 1 16:9");
    context.device = DeviceKind::PocketPc;
    context.selections = { 5, 0, 0, 8, 1, 1, 0 };
    EXPECT_EQ(SubstituteTemplate(
                  "$SIZE $VIDEOBITRATE $FRAMERATE $AUDIOBITRATE $CHANNEL $ASPECT", ClipJob(), context),
        "720x576 300 14.985 128 2 $ASPECT");
    context.device = DeviceKind::Pmp;
    context.selections = { 3, 6, 4, 2, 0, 0, 3 };
    EXPECT_EQ(
        SubstituteTemplate("$SIZE $VIDEOBITRATE $FRAMERATE $AUDIOBITRATE $AUDIOSAMPLE", ClipJob(), context),
        "480x272 1500 30.0 32 48000");
}

TEST(TemplateDeviceValues, PositionWithoutAValueGivesEmptyText)
{
    SubstitutionContext context = ContextFor(DeviceKind::Psp);
    context.selections.videoSize = -1;
    context.selections.audioBitrate = 9;
    EXPECT_EQ(SubstituteTemplate("[$SIZE][$AUDIOBITRATE]", ClipJob(), context), "[][]");
}

TEST(TemplatePaths, FileNamesThatLookLikePlaceholdersStayFileNames)
{
    JobRecord job = ClipJob();
    job.sourcePath = "/media/$SIZE $START/$TITLE.avi";
    job.outputTitle = "a$OUTPUT_FILE$SIZE";
    job.titleText = "plain";
    SubstitutionContext context = ContextFor(DeviceKind::PocketPc);
    context.outputFolder = "/out/$OUTPUT_FILE $CHANNEL/";
    const std::string command
        = SubstituteTemplate("tool -i '$INPUT_FILE' '$OUTPUT_DIR$OUTPUT_FILE.avi' -s $SIZE", job, context);
    EXPECT_EQ(Arguments(command),
        (std::vector<std::string> { "tool", "-i", "/media/$SIZE $START/$TITLE.avi",
            "/out/$OUTPUT_FILE $CHANNEL/a$OUTPUT_FILE$SIZE.avi", "-s", "160x120" }));
}

TEST(TemplatePaths, QuotedPathsComeBackUnchangedWhateverTheyHold)
{
    const std::vector<std::string> names = {
        "it's a \"quoted\" name",
        "back\\slash and $HOME `cmd` $(x)",
        "Ünïcödé Größe ñ 日本",
        "'''",
        "semi;colon & amp | pipe > redirect",
        " leading and trailing blank ",
    };
    for (const std::string& name : names) {
        JobRecord job = ClipJob();
        job.sourcePath = "/media/" + name + ".avi";
        job.outputTitle = name;
        job.titleText = name;
        SubstitutionContext context = ContextFor(DeviceKind::Pmp);
        context.outputFolder = "/out/" + name + "/";
        const std::string command = SubstituteTemplate(
            "tool -i '$INPUT_FILE' -title '$TITLE' '$OUTPUT_DIR$OUTPUT_FILE.pmp'", job, context);
        EXPECT_EQ(Arguments(command),
            (std::vector<std::string> {
                "tool", "-i", job.sourcePath, "-title", name, context.outputFolder + name + ".pmp" }))
            << name;
    }
}

} // namespace
