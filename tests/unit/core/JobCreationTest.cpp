#include "jobs/JobCreation.h"
#include "jobs/JobList.h"
#include "jobs/OptionDefaults.h"
#include "jobs/RandomNumbers.h"
#include "videoedit/MediaProbe.h"
#include "videoedit/VideoEditControl.h"

#include <gtest/gtest.h>

#include <set>

using namespace kelvara;

namespace {

class FakeProbe : public MediaProbe {
public:
    double GetFileDuration(const std::string&) override { return 12.5; }
    int GetFileWidth(const std::string&) override
    {
        ++sizeQuestions;
        return 640;
    }
    int GetFileHeight(const std::string&) override
    {
        ++sizeQuestions;
        return 360;
    }
    int sizeQuestions = 0;
};

JobRecord Create(const std::string& path, FakeProbe& probe)
{
    RandomNumbers numbers(7);
    JobList jobs;
    return CreateJobRecord(path, probe, numbers, jobs, {});
}

} // namespace

TEST(JobCreation, BaseNameIsTheFileNameUpToItsLastDot)
{
    EXPECT_EQ(BaseNameOf("/v/holiday.2009.avi"), "holiday.2009");
    EXPECT_EQ(BaseNameOf("/v/a.b.c.d.mp4"), "a.b.c.d");
    EXPECT_EQ(BaseNameOf("/my.videos/clip"), "clip");
    EXPECT_EQ(BaseNameOf("/v/.hidden"), "");
    EXPECT_EQ(BaseNameOf("clip.avi"), "clip");
}

TEST(JobCreation, ANewJobIsQueuedWithTheWholeSourceAsItsRange)
{
    FakeProbe probe;
    const JobRecord job = Create("/v/holiday.2009.avi", probe);
    EXPECT_DOUBLE_EQ(job.durationMs, 12500.0);
    EXPECT_DOUBLE_EQ(job.trimStartMs, 0.0);
    EXPECT_DOUBLE_EQ(job.trimEndMs, 12500.0);
    EXPECT_DOUBLE_EQ(job.positionMs, 0.0);
    EXPECT_EQ(job.stateIcon, JobState::Queued);
    EXPECT_EQ(job.stage, JobStage::Waiting);
    EXPECT_EQ(job.outputTitle, "holiday.2009");
    EXPECT_EQ(job.titleText, "holiday.2009");
    EXPECT_EQ(job.titleCopy, "holiday.2009");
    EXPECT_EQ(job.sourceWidth, 640);
    EXPECT_EQ(job.sourceHeight, 360);
    EXPECT_EQ(job.outputWidth, 640);
    EXPECT_EQ(job.outputHeight, 360);
    EXPECT_FALSE(job.NeedsIntermediateFile());
}

TEST(JobCreation, SourceTypesAreFoundInTheExtensionCaseSensitively)
{
    struct Case {
        const char* path;
        bool vob, realMedia, dat;
    };
    const Case cases[] = {
        { "/v/a.rm", false, true, false }, { "/v/a.rmvb", false, true, false },
        { "/v/a.rmx", false, true, false }, // "rm" inside a longer extension
        { "/v/a.RMVB", false, false, false }, // capitals are not RealMedia
        { "/v/a.dat", false, false, true }, { "/v/a.DAT", false, false, true },
        { "/v/a.xdat", false, false, true }, { "/v/a.vob", true, false, false },
        { "/v/a.VOB", true, false, false }, { "/v/a.Vob", false, false, false },
        { "/farm.dat.vob/clip.avi", false, false, false }, // folders do not count
        { "/v/storm", false, false, false }, // no extension at all
    };
    for (const Case& c : cases) {
        const SourceTypeFlags flags = SourceTypeOf(c.path);
        EXPECT_EQ(flags.isVob, c.vob) << c.path;
        EXPECT_EQ(flags.isRealMedia, c.realMedia) << c.path;
        EXPECT_EQ(flags.isVcdDat, c.dat) << c.path;
    }
}

TEST(JobCreation, AVobIsAlwaysTakenAs320By240)
{
    FakeProbe probe;
    const JobRecord job = Create("/dvd/VTS_01_1.VOB", probe);
    EXPECT_EQ(job.isVob, 1);
    EXPECT_EQ(job.sourceWidth, 320);
    EXPECT_EQ(job.sourceHeight, 240);
    EXPECT_EQ(job.outputWidth, 320);
    EXPECT_EQ(job.outputHeight, 240);
    EXPECT_EQ(probe.sizeQuestions, 0);
    EXPECT_TRUE(job.NeedsIntermediateFile());
}

TEST(JobCreation, FileNumbersAreInRangeAndNeverShared)
{
    // Jobs added within the same second must not share a PSP file number,
    // or their outputs would overwrite each other.
    FakeProbe probe;
    RandomNumbers numbers;
    JobList jobs;
    std::set<std::int32_t> seen;
    for (int i = 0; i < 3000; ++i) {
        const JobRecord job = CreateJobRecord("/v/clip.avi", probe, numbers, jobs, {});
        EXPECT_GE(job.fileNumber, 10000);
        EXPECT_LE(job.fileNumber, 81000);
        EXPECT_TRUE(seen.insert(job.fileNumber).second) << job.fileNumber;
        jobs.Add(job);
    }
}

TEST(JobCreation, FileNumbersAreSpreadOverTheWholeRange)
{
    RandomNumbers numbers;
    JobList none;
    std::int32_t lowest = 81000;
    std::int32_t highest = 10000;
    for (int i = 0; i < 5000; ++i) {
        const std::int32_t n = numbers.DrawFileNumber(none);
        lowest = std::min(lowest, n);
        highest = std::max(highest, n);
    }
    EXPECT_LT(lowest, 11000);
    EXPECT_GT(highest, 80000);
}

TEST(JobCreation, DrawWithAnEmptyRangeGivesItsLowEnd)
{
    RandomNumbers numbers;
    EXPECT_EQ(numbers.Draw(500, 100), 500);
    EXPECT_EQ(numbers.Draw(42, 42), 42);
}

namespace {

class Names : public CodecList {
public:
    explicit Names(std::vector<std::string> names)
        : m_names(std::move(names))
    {
    }
    std::int16_t Count() const override { return static_cast<std::int16_t>(m_names.size()); }
    std::string Item(std::int16_t index) const override { return m_names[static_cast<std::size_t>(index)]; }

private:
    std::vector<std::string> m_names;
};

} // namespace

TEST(JobOptionDefaults, ANewJobStartsAsTheMpegPanelShows)
{
    FakeProbe probe;
    const JobRecord job = Create("/v/clip.avi", probe);
    EXPECT_EQ(job.mpegType, 6); // "MPEG1 Standard", not "VCD PAL"
    EXPECT_EQ(job.mpegAudioBitrate, 128);
    EXPECT_EQ(job.mpegAudioRate, 44100);
    EXPECT_DOUBLE_EQ(job.mpegFrameRate, 25.0);
    EXPECT_DOUBLE_EQ(job.aviFrameRate, 25.0);
}

TEST(JobOptionDefaults, CodecPositionsFollowThePanelsRuleNotTheCatalogueOrder)
{
    // Leading blanks are trimmed and empty names dropped before counting,
    // and the match is a prefix that ignores case.
    const Names video({ "Xvid MPEG-4", "", "  H.264 with DivX profile", " divx 6", "DivX 5" });
    const Names audio({ "PCM 16-bit", "AC-3", "   mpeg layer-3 (LAME)", "MPEG Layer-2" });
    const AviCodecDefaults codecs = DefaultAviCodecs(video, audio);
    EXPECT_EQ(codecs.video, 2);
    EXPECT_EQ(codecs.audio, 2);
    EXPECT_EQ(CodecComboItems(video),
        (std::vector<std::string> { "Xvid MPEG-4", "H.264 with DivX profile", "divx 6", "DivX 5" }));

    FakeProbe probe;
    RandomNumbers numbers(7);
    JobList jobs;
    const JobRecord job = CreateJobRecord("/v/clip.avi", probe, numbers, jobs, codecs);
    EXPECT_EQ(job.aviVideoCodec, 2);
    EXPECT_EQ(job.aviAudioCodec, 2);
}

TEST(JobOptionDefaults, WithoutAMatchTheFirstItemIsChosen)
{
    const Names none({ "Motion JPEG", "FFV1" });
    const Names empty({});
    EXPECT_EQ(DefaultAviCodecs(none, empty).video, 0);
    EXPECT_EQ(DefaultAviCodecs(none, empty).audio, 0);
}
