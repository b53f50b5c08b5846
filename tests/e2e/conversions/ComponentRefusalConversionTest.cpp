// When the video-editing component refuses to start, the job's failure
// reason says why, for every reason it can refuse.
#include "ConversionFixture.h"

#include "conversions/VideoEditConversions.h"
#include "jobs/RandomNumbers.h"
#include "support/FileContents.h"
#include "support/SmallFileSystem.h"
#include "videoedit/CVideoEdit.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

class ComponentRefusal : public ConversionTest {
protected:
    ComponentRefusal()
    {
        ::unsetenv("TARVO_FFMPEG");
        m_context.outputKind = { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi) };
        m_index = AddJob("clip.mp4", 1.0, 0.0, 1.0);
    }
    ~ComponentRefusal() override { ::unsetenv("TARVO_FFMPEG"); }

    // Converts the job into `output`; the outcome of the job's run afterwards.
    std::string ReasonConverting(const std::string& output)
    {
        EXPECT_FALSE(m_conversions.ConvertWithVideoEdit(m_index, output));
        const JobRecord job = Job(m_index);
        EXPECT_TRUE(job.failed);
        return job.run.outcome;
    }

    void ExpectReason(const std::string& output, const std::string& words)
    {
        const std::string reason = ReasonConverting(output);
        EXPECT_NE(reason.find(words), std::string::npos) << reason;
    }

    CVideoEdit m_component;
    RandomNumbers m_numbers;
    VideoEditConversions m_conversions { m_context, m_component, m_options, m_numbers };
    int m_index = -1;
};

TEST_F(ComponentRefusal, UnreadableSourceIsNamedWithTheSystemsReason)
{
    JobRecord job = Job(m_index);
    job.sourcePath = m_sources.File("gone.mp4");
    m_jobs.SetAt(m_index, job);
    ExpectReason(m_output.File("out.avi"), "cannot read '" + job.sourcePath + "': No such file or directory");
}

TEST_F(ComponentRefusal, MissingOutputFolderIsNamed)
{
    ExpectReason(m_output.File("not there/out.avi"),
        "'" + m_output.Folder() + "not there/': No such file or directory");
}

TEST_F(ComponentRefusal, ReadOnlyOutputFolderIsNamed)
{
    SmallFileSystem readOnly(m_output.File("read-only"), 64 * 1024, SmallFileSystem::Access::ReadOnly);
    if (!readOnly.IsMounted())
        GTEST_SKIP() << readOnly.Reason();
    ExpectReason(readOnly.Folder() + "out.avi", "'" + readOnly.Folder() + "': Read-only file system");
}

TEST_F(ComponentRefusal, OutputThatIsTheSourceIsRefusedAndTheSourceKept)
{
    const std::string source = Job(m_index).sourcePath;
    const std::string before = FileContents(source);
    const std::string link = m_output.File("link.mp4");
    fs::create_symlink(source, link);
    ExpectReason(link, "is the same file as the source");
    EXPECT_EQ(FileContents(source) == before, true);
}

TEST_F(ComponentRefusal, MissingFfmpegIsNamed)
{
    ::setenv("TARVO_FFMPEG", m_sources.File("no ffmpeg").c_str(), 1);
    ExpectReason(m_output.File("out.avi"), "ffmpeg program was not found");
}

TEST_F(ComponentRefusal, UnknownFormatAndCodecAreNamed)
{
    m_options.aviVideoCodec = 999;
    ExpectReason(m_output.File("out.avi"), "no video codec number 999");
    m_context.outputKind = { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mpeg) };
    m_options.mpegType = 42;
    ExpectReason(m_output.File("out.mpg"), "unknown output format 42");
}

TEST_F(ComponentRefusal, ARunningConversionIsNamed)
{
    m_component.ClearClips();
    m_component.AddClip(Job(m_index).sourcePath, 0.0, 1.0);
    m_component.SetOutputFormat(static_cast<std::int32_t>(VideoEditFormat::Avi));
    ASSERT_TRUE(m_component.StartConvert(m_output.File("first.avi")));
    ExpectReason(m_output.File("second.avi"), "a conversion is already running");
    m_component.StopConvert();
}

} // namespace
