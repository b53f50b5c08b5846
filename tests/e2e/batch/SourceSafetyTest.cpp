// A batch never harms its sources: no output takes the name of a file that
// is there, and every kind leaves its source byte-identical, also when it
// writes into the source's own folder.
#include "jobs/JobCreation.h"
#include "support/FileContents.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/RealBatch.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

const std::string kToolDirectory = std::string(KELVARA_TOOL_DIR) + "/";

std::set<std::string> NamesIn(const std::string& folder)
{
    std::set<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        names.insert(entry->path().filename().string());
    return names;
}

// A source whose name is the name the kind's output would get in the
// source's own folder.
struct SelfOverwrite {
    const char* what;
    OutputKind kind;
    const char* sourceName;
    std::vector<std::string> makeOptions; // how ffmpeg makes the source
    int picture = 4; // the picture type position for Image
    int fileNumber = 0; // the PSP's numbered name
};

const SelfOverwrite kSelfOverwrites[] = {
    { "MP3 from an MP3", OutputKindOf(AudioKind::Mp3), "song.mp3", { "-vn" } },
    { "WMA from a WMA", OutputKindOf(AudioKind::Wma), "song.wma", { "-vn" } },
    { "WAV from a WAV", OutputKindOf(AudioKind::Wav), "song.wav", { "-vn" } },
    { "MP2 from an MP2", OutputKindOf(AudioKind::Mp2), "song.mp2", { "-vn" } },
    { "AC3 from an AC3", OutputKindOf(AudioKind::Ac3), "song.ac3", { "-vn" } },
    { "GIF animation from a GIF", OutputKindOf(PcKind::Image), "moving.gif", { "-an" }, 0 },
    { "JPEG still from a JPEG", OutputKindOf(PcKind::Image), "still.jpg",
        { "-an", "-frames:v", "1", "-update", "1" }, 4 },
    { "PNG still from a PNG", OutputKindOf(PcKind::Image), "still.png",
        { "-an", "-frames:v", "1", "-update", "1" }, 11 },
    { "Xbox360 MPEG from an MPEG", OutputKindOf(MobileKind::Xbox360), "clip.mpg", { "-f", "vob" } },
    { "Pocket PC AVI from an AVI", OutputKindOf(MobileKind::PocketPc), "clip.avi", {} },
    { "PSP file from the numbered file it would write", OutputKindOf(MobileKind::Psp), "M4V04242.MP4",
        { "-f", "mp4" }, 4, 4242 },
    { "PMP from a file named as the PMP", OutputKindOf(MobileKind::Pmp), "clip.pmp", { "-f", "avi" } },
};

class SourceSafety : public ::testing::Test {
protected:
    // Runs one batch of `kind` over the job of `source`, writing into
    // `outputFolder`.
    static void RunBatch(RealBatch& batch, const OutputKind& kind)
    {
        batch.host.kind = kind;
        batch.host.messages.clear();
        batch.driver.OnStart();
    }

    TempFolder m_folder;
};

// Every kind writing beside a source of its own output's name: the output
// takes the next free name, converts, and the source stays as it was.
TEST_F(SourceSafety, OutputOfTheSourcesOwnNameIsNumberedAndTheSourceKept)
{
    for (const SelfOverwrite& overwrite : kSelfOverwrites) {
        SCOPED_TRACE(overwrite.what);
        const std::string source = m_folder.File(overwrite.sourceName);
        ASSERT_TRUE(MakeClip(source, 1.0, 160, 120, overwrite.makeOptions));
        const std::string before = FileContents(source);
        const std::set<std::string> namesBefore = NamesIn(m_folder.Folder());

        RealBatch batch(kToolDirectory, m_folder.Folder());
        batch.options.picture = overwrite.picture;
        batch.device.profilePosition = overwrite.kind.Is(MobileKind::Psp) ? 7 : 1;
        const int index = batch.AddSource(source);
        batch.jobs.Update(index, [&](JobRecord& job) { job.fileNumber = overwrite.fileNumber; });
        RunBatch(batch, overwrite.kind);

        const JobRecord job = batch.Job(index);
        EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
        EXPECT_NE(job.outputPath, source);
        EXPECT_TRUE(fs::exists(job.outputPath)) << job.outputPath;
        EXPECT_EQ(FileContents(source), before);
        for (const std::string& name : namesBefore)
            EXPECT_TRUE(NamesIn(m_folder.Folder()).contains(name)) << name;
        EXPECT_TRUE(ChildrenOfThisProcess().empty());
        for (const std::string& name : NamesIn(m_folder.Folder()))
            fs::remove(m_folder.File(name));
    }
}

// Three sources of one title into one folder, one of them the user's own
// song.mp3 there: no job writes over another's output or over the user's
// file, and all three convert.
TEST_F(SourceSafety, JobsOfOneTitleNeverShareAName)
{
    TempFolder x;
    TempFolder y;
    const std::string users = m_folder.File("song.mp3");
    ASSERT_TRUE(MakeClip(x.File("song.avi"), 1.0, 160, 120));
    ASSERT_TRUE(MakeClip(users, 1.0, 160, 120, { "-vn" }));
    ASSERT_TRUE(MakeClip(y.File("song.mp4"), 1.0, 160, 120));
    const std::string before = FileContents(users);

    RealBatch batch(kToolDirectory, m_folder.Folder());
    batch.AddSource(x.File("song.avi"));
    batch.AddSource(users);
    batch.AddSource(y.File("song.mp4"));
    RunBatch(batch, OutputKindOf(AudioKind::Mp3));

    std::set<std::string> outputs;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(batch.Job(i).stateIcon, JobState::Done) << batch.Job(i).run.outcome;
        outputs.insert(batch.Job(i).outputPath);
        EXPECT_EQ(Probe(batch.Job(i).outputPath, "stream=codec_name", "a:0"), "mp3");
    }
    EXPECT_EQ(outputs,
        (std::set<std::string> {
            m_folder.File("song2.mp3"), m_folder.File("song3.mp3"), m_folder.File("song4.mp3") }));
    EXPECT_EQ(FileContents(users), before);
    ASSERT_EQ(batch.host.messages.size(), 1u);
    EXPECT_EQ(batch.host.messages[0].text, "All tasks have been completed!");
}

// Every kind, one after the other, writing beside its sources: each
// converts, and neither source changes by a byte. The VOB source goes
// through its intermediate step first.
TEST_F(SourceSafety, EveryKindLeavesItsSourcesByteIdenticalInTheirOwnFolder)
{
    const std::string clip = m_folder.File(std::string(kHostileName) + ".mp4");
    const std::string vob = m_folder.File("disc.vob");
    ASSERT_TRUE(MakeClip(clip, 1.0, 160, 120));
    ASSERT_TRUE(MakeClip(vob, 1.0, 352, 288, { "-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob" }));
    const std::string clipBefore = FileContents(clip);
    const std::string vobBefore = FileContents(vob);

    RealBatch batch(kToolDirectory, m_folder.Folder());
    batch.AddSource(clip);
    batch.AddSource(vob);
    const struct {
        OutputKind kind;
        int picture;
        int profile;
    } kinds[] = {
        { OutputKindOf(PcKind::Avi), 4, 0 },
        { OutputKindOf(PcKind::Mpeg), 4, 0 },
        { OutputKindOf(PcKind::Image), 0, 0 },
        { OutputKindOf(PcKind::Image), 4, 0 },
        { OutputKindOf(MobileKind::Psp), 4, 7 },
        { OutputKindOf(MobileKind::Xbox360), 4, 2 },
        { OutputKindOf(MobileKind::PocketPc), 4, 2 },
        { OutputKindOf(MobileKind::Pmp), 4, 1 },
        { OutputKindOf(AudioKind::Mp3), 4, 0 },
        { OutputKindOf(AudioKind::Wma), 4, 0 },
        { OutputKindOf(AudioKind::Wav), 4, 0 },
        { OutputKindOf(AudioKind::Mp2), 4, 0 },
        { OutputKindOf(AudioKind::Ac3), 4, 0 },
    };
    for (const auto& [kind, picture, profile] : kinds) {
        SCOPED_TRACE("category " + std::to_string(static_cast<int>(kind.category)) + " kind "
            + std::to_string(kind.kind) + " picture " + std::to_string(picture));
        batch.options.picture = picture;
        batch.device.profilePosition = profile;
        RunBatch(batch, kind);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(batch.Job(i).stateIcon, JobState::Done) << batch.Job(i).run.outcome;
        EXPECT_EQ(FileContents(clip), clipBefore);
        EXPECT_EQ(FileContents(vob), vobBefore);
    }
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

} // namespace

namespace {

// AVI and MPEG outputs take the next free number, so the source beside them
// is never their name.
TEST_F(SourceSafety, AviFromAnAviBesideItIsNumberedAndTheSourceKept)
{
    const std::string source = m_folder.File("clip.avi");
    ASSERT_TRUE(MakeClip(source, 1.0));
    const std::string before = FileContents(source);
    RealBatch batch(kToolDirectory, m_folder.Folder());
    batch.AddSource(source);
    RunBatch(batch, OutputKindOf(PcKind::Avi));

    EXPECT_EQ(batch.Job(0).stateIcon, JobState::Done) << batch.Job(0).run.outcome;
    EXPECT_EQ(FileContents(source), before);
    EXPECT_EQ(Probe(m_folder.File("clip2.avi"), "format=format_name"), "avi");
}

} // namespace

namespace {

// A PMP job's first step writes "<title>0001.avi" and ".mp3", then removes
// them: the user's files of those names beside the source are neither
// written nor removed, and the PMP file still comes out.
TEST_F(SourceSafety, APmpJobLeavesTheUsersFilesOfItsStepNamesAlone)
{
    const std::string source = m_folder.File("a.avi");
    ASSERT_TRUE(MakeClip(source, 1.0, 160, 120));
    for (const char* name : { "a0001.avi", "a0001.mp3" })
        std::ofstream(m_folder.File(name)) << "the user's " << name;
    RealBatch batch(kToolDirectory, m_folder.Folder());
    batch.device.profilePosition = 1;
    batch.AddSource(source);
    RunBatch(batch, OutputKindOf(MobileKind::Pmp));

    EXPECT_EQ(batch.Job(0).stateIcon, JobState::Done) << batch.Job(0).run.outcome;
    EXPECT_EQ(batch.Job(0).outputPath, m_folder.File("a.pmp"));
    EXPECT_EQ(FileContents(m_folder.File("a0001.avi")), "the user's a0001.avi");
    EXPECT_EQ(FileContents(m_folder.File("a0001.mp3")), "the user's a0001.mp3");
    EXPECT_EQ(
        NamesIn(m_folder.Folder()), (std::set<std::string> { "a.avi", "a.pmp", "a0001.avi", "a0001.mp3" }));
}

} // namespace
