#include "RunnerFixture.h"

#include "conversions/DeviceConversions.h"
#include "naming/OutputNaming.h"
#include "runner/EncoderStop.h"

#include <QTimer>

#include <filesystem>
#include <fstream>
#include <set>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

// Everything in a folder, hidden entries too.
std::set<fs::path> FilesIn(const std::string& folder)
{
    std::set<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename());
    return names;
}

class DeviceTest : public RunnerTest {
protected:
    void WriteProfiles(const std::string& file, const std::string& profileLines)
    {
        std::ofstream ini(m_tools.File(file));
        ini << "[Info]\nDescription=Test profiles#for one device\nDefaultProfile=0\n";
        ini << "[profile0]\nTitle=Customized\n" << profileLines;
        ini << "[profile1]\nTitle=Second\n" << profileLines;
    }

    void UseDevice(MobileKind kind)
    {
        m_context.outputKind = { OutputCategory::MobileVideo, static_cast<std::int32_t>(kind) };
        JobRecord job = m_jobs.GetAt(m_job);
        job.fileNumber = 12345;
        m_jobs.SetAt(m_job, job);
    }

    DeviceChoice m_choice;
};

} // namespace

TEST_F(DeviceTest, APspConversionRunsTheThumbnailThenTheEncoder)
{
    UseDevice(MobileKind::Psp);
    WriteProfiles("TARVO_Pro_PSP.ini",
        "Thumb=touch '$OUTPUT_DIR$OUTPUT_FILE.THM'\n"
        "Video=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.MP4' -i '$INPUT_FILE' -s $SIZE\n"
        "VideoSize=320x240\n");
    m_choice.profilePosition = 1;
    m_choice.selections.videoSize = 1;
    ConvertPsp(m_context, m_runner, m_choice, m_job);

    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    EXPECT_FALSE(job.failed);
    EXPECT_TRUE(fs::exists(m_work.File("M4V12345.THM")));
    EXPECT_TRUE(FileHolds(m_work.File("M4V12345.MP4"), "-i\n" + job.sourcePath + "\n-s\n368x208\n"));
}

TEST_F(DeviceTest, AFailingProfileMarksTheJobFailedNotDone)
{
    UseDevice(MobileKind::Xbox360);
    WriteProfiles("TARVO_Pro_Xbox.ini", "Video=tarvoconverter fail 2\n");
    ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_TRUE(job.failed);
    EXPECT_NE(job.stateIcon, JobState::Done);
    EXPECT_NE(job.run.outcome.find("Cannot open the input"), std::string::npos);
}

TEST_F(DeviceTest, AMissingProfileFileFailsTheJobInsteadOfReportingItDone)
{
    UseDevice(MobileKind::PocketPc);
    ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
    EXPECT_TRUE(m_jobs.GetAt(m_job).failed);
}

TEST_F(DeviceTest, AProfileThatWritesNothingFails)
{
    UseDevice(MobileKind::PocketPc);
    WriteProfiles("TARVO_Pro_PPC.ini", "Video=tarvoconverter status 1 /dev/null\n");
    ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
    EXPECT_TRUE(m_jobs.GetAt(m_job).failed);
}

TEST_F(DeviceTest, APmpConversionMuxesAndRemovesItsFirstStepFiles)
{
    UseDevice(MobileKind::Pmp);
    WriteProfiles("TARVO_Pro_PMP.ini",
        "Split=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE0001.avi' '$OUTPUT_DIR$OUTPUT_FILE0001.mp3'\n"
        "Mux=cp '$OUTPUT_DIR$OUTPUT_FILE0001.avi' '$OUTPUT_DIR$OUTPUT_FILE.pmp'\n"
        "Check=test -s '$OUTPUT_DIR$OUTPUT_FILE.pmp'\n"
        "Tidy=true\n");
    // The user's own file of a first-step name is neither written nor removed.
    std::ofstream(PmpFirstStepAudioPath(m_work.Folder(), "clip")) << "audio";
    ConvertPmp(m_context, m_runner, m_choice, m_job);

    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    EXPECT_EQ(job.stage, JobStage::AuxiliaryRuns);
    EXPECT_EQ(job.outputPath, PmpFinalPath(m_work.Folder(), "clip"));
    EXPECT_FALSE(fs::exists(PmpFirstStepVideoPath(m_work.Folder(), "clip")));
    EXPECT_TRUE(FileHolds(PmpFirstStepAudioPath(m_work.Folder(), "clip"), "audio"));
}

TEST_F(DeviceTest, StopDuringTheEncoderRunCancelsTheJob)
{
    UseDevice(MobileKind::Xbox360);
    WriteProfiles("TARVO_Pro_Xbox.ini", "Video=tarvoconverter status 200 '$OUTPUT_DIR$OUTPUT_FILE.mark'\n");
    m_view.onStatusRedraw = [&] {
        if (m_view.statusRedraws == 3)
            StopEncoderJob(m_context, m_runner);
    };
    ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.stage, JobStage::Canceled);
    EXPECT_EQ(job.stateIcon, JobState::Stopped);
    EXPECT_TRUE(FileHolds(m_work.File("clip.mark"), "quit"));
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST_F(DeviceTest, StopDuringThePmpMuxEndsItAndRemovesThePartialFiles)
{
    UseDevice(MobileKind::Pmp);
    WriteProfiles("TARVO_Pro_PMP.ini",
        "Split=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE0001.avi'\n"
        "Mux=sleep 30\n"
        "Check=true\nTidy=true\n");
    // A file of the user's under the final name stays as it is.
    std::ofstream(PmpFinalPath(m_work.Folder(), "clip")) << "the user's";
    const std::set<fs::path> before = FilesIn(m_work.Folder());
    m_view.onStatusRedraw = [&] {
        if (m_jobs.GetAt(m_job).stage == JobStage::AuxiliaryRuns)
            StopEncoderJob(m_context, m_runner);
    };
    ConvertPmp(m_context, m_runner, m_choice, m_job);
    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.stage, JobStage::Canceled);
    EXPECT_TRUE(FileHolds(PmpFinalPath(m_work.Folder(), "clip"), "the user's"));
    EXPECT_EQ(FilesIn(m_work.Folder()), before);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

// A STOP during the check step, after the mux: the job is stopped, not
// failed for the file the stop kept from being finished.
TEST_F(DeviceTest, StopDuringALaterAuxiliaryStepCancelsTheJob)
{
    UseDevice(MobileKind::Pmp);
    WriteProfiles("TARVO_Pro_PMP.ini",
        "Split=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE0001.avi'\n"
        "Mux=true\n"
        "Check=sleep 30\nTidy=true\n");
    bool stopped = false;
    m_view.onStatusRedraw = [&] {
        if (m_jobs.GetAt(m_job).stage == JobStage::AuxiliaryRuns && !stopped) {
            stopped = true;
            QTimer::singleShot(300, [&] { StopEncoderJob(m_context, m_runner); });
        }
    };
    ConvertPmp(m_context, m_runner, m_choice, m_job);
    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.stage, JobStage::Canceled);
    EXPECT_FALSE(job.failed) << job.run.outcome;
    EXPECT_FALSE(fs::exists(PmpFirstStepVideoPath(m_work.Folder(), "clip")));
    EXPECT_FALSE(fs::exists(PmpFirstStepAudioPath(m_work.Folder(), "clip")));
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST_F(DeviceTest, EachStepGetsTheTimeItRunsAt)
{
    UseDevice(MobileKind::Psp);
    WriteProfiles("TARVO_Pro_PSP.ini",
        "Thumb=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.THM' '$TIMESTAMP'\n"
        "Video=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.MP4' '$TIMESTAMP'\n");
    int second = 0;
    m_choice.clock = [&second] { return LocalDateTime { 2009, 5, 17, 10, 30, ++second }; };
    ConvertPsp(m_context, m_runner, m_choice, m_job);
    EXPECT_TRUE(FileHolds(m_work.File("M4V12345.THM"), "2009-05-17 10:30:01\n"));
    EXPECT_TRUE(FileHolds(m_work.File("M4V12345.MP4"), "2009-05-17 10:30:02\n"));
}

// A user's profile brings its own lines; the shipped file's profile at the
// same position is not run.
TEST_F(DeviceTest, AUsersProfileRunsItsOwnLines)
{
    UseDevice(MobileKind::Xbox360);
    WriteProfiles("TARVO_Pro_Xbox.ini", "Video=tarvoconverter fail 2\n");
    m_choice.userLines
        = ProfileLines({ "Mine", "tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.mpg' -s $SIZE" });
    m_choice.selections.videoSize = 1;
    ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    EXPECT_TRUE(FileHolds(m_work.File(job.outputTitle + ".mpg"), "-s\n1280x720\n"));
}

TEST_F(DeviceTest, TheProfileNamesItsOutputASucceededRunIsDone)
{
    // The Out Type column expects "clip.mpg"; the profile decides otherwise.
    UseDevice(MobileKind::Xbox360);
    WriteProfiles("TARVO_Pro_Xbox.ini", "Video=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE (Xbox).wmv' x\n");
    ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
    EXPECT_FALSE(job.failed);
}

TEST_F(DeviceTest, FilesThatWereThereBeforeTheEncoderRunDoNotCountAsItsOutput)
{
    // An old output of the same name, and the PSP thumbnail written by the
    // step before, are not what the encoder run wrote.
    UseDevice(MobileKind::Xbox360);
    WriteProfiles("TARVO_Pro_Xbox.ini", "Video=tarvoconverter status 1 /dev/null\n");
    std::ofstream(m_work.File("clip.mpg")) << "an earlier conversion";
    ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
    EXPECT_TRUE(m_jobs.GetAt(m_job).failed);

    UseDevice(MobileKind::Psp);
    WriteProfiles("TARVO_Pro_PSP.ini",
        "Thumb=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.THM' thumb\n"
        "Video=tarvoconverter status 1 /dev/null\n");
    ConvertPsp(m_context, m_runner, m_choice, m_job);
    const JobRecord job = m_jobs.GetAt(m_job);
    // The thumbnail of a conversion that failed goes with it.
    EXPECT_FALSE(fs::exists(m_work.File("M4V12345.THM")));
    EXPECT_TRUE(job.failed);
    EXPECT_NE(job.run.outcome.find("M4V12345"), std::string::npos) << job.run.outcome;
}

// The user's files of every name a profile would write stay untouched: the
// name is taken on past them, for the PSP by number, else by title.
TEST_F(DeviceTest, TheOutputNameIsTakenOnPastTheUsersFiles)
{
    struct Case {
        MobileKind kind;
        std::string file;
        std::string profile;
        std::vector<std::string> usersFiles;
        std::string expectedOutput;
    };
    const std::string psp = "Thumb=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.THM'\n"
                            "Video=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.MP4'\n";
    const std::string pmp = "Split=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE0001.avi'\n"
                            "Mux=cp '$OUTPUT_DIR$OUTPUT_FILE0001.avi' '$OUTPUT_DIR$OUTPUT_FILE.pmp'\n"
                            "Check=true\nTidy=true\n";
    const Case cases[] = {
        { MobileKind::Psp, "TARVO_Pro_PSP.ini", psp, { "M4V12345.THM" }, "M4V12346.MP4" },
        { MobileKind::Xbox360, "TARVO_Pro_Xbox.ini",
            "Video=tarvoconverter args '$OUTPUT_DIR$OUTPUT_FILE.mpg'\n", { "clip.mpg", "clip2.mpg" },
            "clip3.mpg" },
        { MobileKind::Pmp, "TARVO_Pro_PMP.ini", pmp, { "clip0001.avi", "clip.pmp" }, "clip2.pmp" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedOutput);
        TempFolder out;
        m_context.outputFolder = out.Folder();
        m_context.reservedOutputs.clear();
        for (const std::string& name : c.usersFiles)
            std::ofstream(out.File(name)) << "the user's " << name;
        UseDevice(c.kind);
        WriteProfiles(c.file, c.profile);
        if (c.kind == MobileKind::Psp)
            ConvertPsp(m_context, m_runner, m_choice, m_job);
        else if (c.kind == MobileKind::Pmp)
            ConvertPmp(m_context, m_runner, m_choice, m_job);
        else
            ConvertXboxOrPocketPc(m_context, m_runner, m_choice, m_job);
        const JobRecord job = m_jobs.GetAt(m_job);
        EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
        EXPECT_EQ(job.outputPath, out.File(c.expectedOutput));
        for (const std::string& name : c.usersFiles)
            EXPECT_TRUE(FileHolds(out.File(name), "the user's " + name));
        EXPECT_EQ(FilesIn(out.Folder()).size(), c.usersFiles.size() + (c.kind == MobileKind::Psp ? 2 : 1));
    }
}
