// The saved file list: every stored value comes back, a file that cannot be
// read is set aside and never lost, an interrupted job is queued again with
// only the program's own staged output removed, and the keeper writes for
// changes but not for progress.
#include "liststate/ListRestore.h"
#include "liststate/ListStateFile.h"
#include "liststate/ListStateFormat.h"
#include "liststate/ListStateKeeper.h"
#include "liststate/StoredRows.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace kelvara;
using namespace kelvara::liststate;
using kelvara::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

QString Q(const std::string& path)
{
    return QString::fromStdString(path);
}

// A job whose every stored value differs from a new job's.
StoredJob EveryFieldSet(JobState state, const std::string& source)
{
    StoredJob job;
    job.sourcePath = source;
    job.durationMs = 61000.5;
    job.sourceWidth = 1920;
    job.sourceHeight = 1080;
    job.trimStartMs = 1500.25;
    job.trimEndMs = 30000;
    job.outputWidth = 640;
    job.outputHeight = 360;
    job.aviFrameRate = 23.976;
    job.aviVideoCodec = 3;
    job.aviAudioCodec = 2;
    job.mpegAudioBitrate = 192;
    job.mpegAudioRate = 44100;
    job.mpegFrameRate = 29.97;
    job.mpegType = 4;
    job.fileNumber = 10042;
    job.outputTitle = "Title «ünï»";
    job.titleText = "text";
    job.titleCopy = "copy";
    job.isVob = 1;
    job.isRealMedia = 1;
    job.isVcdDat = 1;
    job.intermediatePath = "/tmp/inter.avi";
    job.partialOutputs = { "/out/a.mp4", "/out/a.aac" };
    job.state = state;
    job.failed = true;
    job.finished = 1;
    job.percentDone = state == JobState::Converting ? 0 : 45; // progress is not kept
    job.stage = state == JobState::Converting ? JobStage::Waiting : JobStage::Canceled;
    job.outcome = "failed: the encoder ended with status 1";
    job.outputPath = "/out/a b.mp4";
    return job;
}

StoredList ListOf(std::vector<StoredJob> jobs, const std::string& outputFolder = "/out/")
{
    StoredList list;
    list.window = { 1, 2, { { 1041, "128 kbps" }, { 1050, "H.264" } }, outputFolder };
    for (StoredJob& job : jobs)
        list.jobs.push_back(std::make_shared<const StoredJob>(std::move(job)));
    return list;
}

} // namespace

TEST(ListStateFormat, EveryStoredValueComesBackInEveryState)
{
    for (const JobState state :
        { JobState::Queued, JobState::Converting, JobState::Done, JobState::Stopped }) {
        const StoredJob job = EveryFieldSet(state, "/src/clip \"1\".mkv");
        const ParsedList parsed = ListFromJson(ListToJson(ListOf({ job })));
        ASSERT_TRUE(parsed.list) << parsed.problem.toStdString();
        ASSERT_EQ(parsed.list->jobs.size(), 1U);
        EXPECT_EQ(*parsed.list->jobs[0], job) << static_cast<int>(state);
        EXPECT_EQ(parsed.list->window, ListOf({}).window);
        // And through a JobRecord, as the window keeps it.
        EXPECT_EQ(ToStored(ToJob(job)), job);
    }
}

TEST(ListStateFormat, ProgressOfAConvertingJobIsNotStored)
{
    JobRecord job = ToJob(EveryFieldSet(JobState::Converting, "/a.mkv"));
    const StoredJob before = ToStored(job);
    job.percentDone = 77;
    job.encodeSpeed = 3.5;
    job.encodedSeconds = 12;
    job.run.AppendOutput("frame=100");
    EXPECT_EQ(ToStored(job), before);
}

TEST(ListStateFile, WrittenFileReadsBackAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    const QString path = Q(folder.File("state/list.json"));
    const StoredList list
        = ListOf({ EveryFieldSet(JobState::Done, "/a.mkv"), EveryFieldSet(JobState::Queued, "/b") });
    ASSERT_EQ(WriteAtomically(path, ListToJson(list)), "");
    ASSERT_EQ(WriteAtomically(path, ListToJson(list)), ""); // replaces its own file
    const ReadList read = ReadListFile(path);
    ASSERT_EQ(read.outcome, ReadList::Outcome::Read);
    ASSERT_EQ(read.list.jobs.size(), 2U);
    EXPECT_EQ(*read.list.jobs[1], *list.jobs[1]);
    EXPECT_EQ(QDir(Q(folder.File("state"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList { "list.json" });
}

TEST(ListStateFile, MissingFileIsAnEmptyStartWithoutMessage)
{
    TempFolder folder;
    EXPECT_EQ(ReadListFile(Q(folder.File("list.json"))).outcome, ReadList::Outcome::None);
}

TEST(ListStateFile, UnreadableFileIsSetAsideUnderADatedNameWithItsBytes)
{
    const QByteArray valid = ListToJson(ListOf({ EveryFieldSet(JobState::Queued, "/a.mkv") }));
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        { "truncated", valid.left(valid.size() / 2) },
        { "random bytes", QByteArray("\x93\x00\xff\x12garbage\x7f", 14) },
        { "empty", QByteArray() },
        { "an array", "[1, 2, 3]" },
        { "a number", "42" },
        { "no version", R"({"jobs": []})" },
        { "newer version", R"({"version": 2, "jobs": []})" },
        { "jobs not a list", R"({"version": 1, "jobs": {}})" },
        { "job without source", R"({"version": 1, "jobs": [{"trimMs": [0, 5]}]})" },
        { "trim not numbers", R"({"version": 1, "jobs": [{"source": "/a", "trimMs": ["0", 5]}]})" },
        { "trim backwards", R"({"version": 1, "jobs": [{"source": "/a", "trimMs": [9, 5]}]})" },
        { "unknown state", R"({"version": 1, "jobs": [{"source": "/a", "state": "dancing"}]})" },
        { "unknown stage", R"({"version": 1, "jobs": [{"source": "/a", "stage": 42}]})" },
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const QString path = Q(folder.File("list.json"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();

        const ReadList read = ReadListFile(path);
        EXPECT_EQ(read.outcome, ReadList::Outcome::SetAside) << c.what;
        EXPECT_TRUE(read.list.jobs.empty()) << c.what;
        EXPECT_TRUE(read.keptAs.startsWith("list.json.damaged-20")) << c.what << read.keptAs.toStdString();
        EXPECT_FALSE(QFile::exists(path)) << c.what;
        EXPECT_EQ(
            kelvara::testing::FileContents(folder.File(read.keptAs.toStdString())), c.bytes.toStdString())
            << c.what;
    }
}

TEST(ListRestore, InterruptedJobIsQueuedAgainAndOnlyItsStagedOutputGoes)
{
    TempFolder sources;
    TempFolder output;
    const std::string present = sources.Write("here.mkv", "x");
    const std::string staged = output.Write(".kelvara-ab12cd34.mp4", "half");
    const std::vector<std::string> users
        = { output.Write(".kelvara-ab12CD34.mp4", "mine"), output.Write(".kelvara-ab12cd3.mp4", "mine"),
              output.Write("kelvara-ab12cd34.mp4", "mine"), output.Write(".kelvara-ab12cd34.mp4.bak", "mine"),
              output.Write("here.mp4", "mine"), output.Write(".kelvara-job-abcdefg", "mine") };
    const fs::path stepFolder = output.Path() / ".kelvara-job-abcdef";
    fs::create_directory(stepFolder);
    std::ofstream(stepFolder / "step.mp4") << "half";

    StoredJob converting = EveryFieldSet(JobState::Converting, present);
    converting.failed = false;
    StoredJob doneGone = EveryFieldSet(JobState::Done, sources.File("gone-but-done.mkv"));
    doneGone.failed = false;
    StoredJob queuedGone = EveryFieldSet(JobState::Queued, sources.File("gone.mkv"));
    queuedGone.failed = false;
    const RestoredList restored = RestoreList(ListOf({ converting, doneGone, queuedGone }, output.Folder()));

    ASSERT_EQ(restored.jobs.size(), 3U);
    const JobRecord& requeued = restored.jobs[0];
    EXPECT_EQ(requeued.stateIcon, JobState::Queued);
    EXPECT_EQ(requeued.percentDone, 0);
    EXPECT_FALSE(requeued.failed);
    EXPECT_EQ(requeued.trimStartMs, converting.trimStartMs);
    EXPECT_EQ(requeued.trimEndMs, converting.trimEndMs);
    EXPECT_EQ(requeued.outputPath, converting.outputPath);
    EXPECT_EQ(restored.jobs[1].stateIcon, JobState::Done);
    EXPECT_FALSE(restored.jobs[1].failed);
    EXPECT_TRUE(restored.jobs[2].failed);
    EXPECT_EQ(restored.jobs[2].stateIcon, JobState::Stopped);
    EXPECT_EQ(restored.jobs[2].run.outcome, std::string("failed: ") + kSourceGoneReason);
    EXPECT_EQ(restored.requeued, 1);
    EXPECT_EQ(restored.vanished, 1);

    EXPECT_FALSE(fs::exists(staged));
    EXPECT_FALSE(fs::exists(stepFolder));
    for (const std::string& user : users)
        EXPECT_EQ(kelvara::testing::FileContents(user), "mine") << user;
}

TEST(ListStateKeeper, WritesChangesButNotProgressAndClearEmptiesTheFile)
{
    TempFolder folder;
    const QString path = Q(folder.File("list.json"));
    JobList jobs;
    jobs.Add(ToJob(EveryFieldSet(JobState::Queued, "/a.mkv")));
    const auto rowsOnDisk = [&path] {
        const ReadList read = ReadListFile(path);
        EXPECT_EQ(read.outcome, ReadList::Outcome::Read);
        return read.list.jobs;
    };
    {
        ListStateKeeper keeper(
            path, jobs,
            [] {
                return WindowChoices { 0, 1, {}, "/out/" };
            },
            60000);
        jobs.Add(ToJob(EveryFieldSet(JobState::Queued, "/b.mkv")));
        jobs.Update(1, [](JobRecord& job) { job.trimEndMs = 2000; });
        keeper.SaveNow();
        ASSERT_EQ(rowsOnDisk().size(), 2U);
        EXPECT_EQ(rowsOnDisk()[1]->trimEndMs, 2000);

        // A percentage tick: nothing to write, the removed file stays away.
        jobs.Update(1, [](JobRecord& job) { job.stateIcon = JobState::Converting; });
        keeper.SaveNow();
        ASSERT_TRUE(QFile::remove(path));
        jobs.Update(1, [](JobRecord& job) { job.percentDone = 33; });
        keeper.SaveNow();
        EXPECT_FALSE(QFile::exists(path));

        jobs.Update(0, [](JobRecord& job) { job.stateIcon = JobState::Done; });
        keeper.SaveNow();
        EXPECT_EQ(rowsOnDisk()[0]->state, JobState::Done);

        jobs.RemoveAll();
        keeper.SaveNow();
        EXPECT_TRUE(rowsOnDisk().empty());
        jobs.Add(ToJob(EveryFieldSet(JobState::Queued, "/c.mkv")));
    }
    // Ending writes what waited.
    ASSERT_EQ(rowsOnDisk().size(), 1U);
    EXPECT_EQ(rowsOnDisk()[0]->sourcePath, "/c.mkv");
}

TEST(StoredRows, ASnapshotStaysAsItWasWhileTheRowsChange)
{
    StoredRows rows;
    const auto row = [](const std::string& source) {
        StoredJob job;
        job.sourcePath = source;
        return std::make_shared<const StoredJob>(std::move(job));
    };
    for (std::size_t i = 0; i < StoredRows::kChunkRows * 2 + 3; ++i)
        rows.Append(row("/" + std::to_string(i)));
    const StoredRows::Chunks snapshot = rows.Snapshot();
    rows.Set(5, row("/changed"));
    rows.Append(row("/added"));
    const std::vector<StoredRow> before = StoredRows::Flatten(snapshot);
    const std::vector<StoredRow> after = StoredRows::Flatten(rows.Snapshot());
    ASSERT_EQ(before.size(), StoredRows::kChunkRows * 2 + 3);
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(before[5]->sourcePath, "/5");
    EXPECT_EQ(after[5]->sourcePath, "/changed");
    EXPECT_EQ(after.back()->sourcePath, "/added");
    EXPECT_EQ(rows.At(before.size() - 1).sourcePath, before.back()->sourcePath);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
