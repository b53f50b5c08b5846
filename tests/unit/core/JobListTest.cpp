#include "jobs/JobList.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace kelvara;

namespace {

JobRecord Named(const std::string& path)
{
    JobRecord job;
    job.sourcePath = path;
    return job;
}

} // namespace

TEST(JobList, AddAppendsAndRemoveMovesTheRestDown)
{
    JobList jobs;
    EXPECT_EQ(jobs.Add(Named("a")), 0);
    EXPECT_EQ(jobs.Add(Named("b")), 1);
    EXPECT_EQ(jobs.Add(Named("c")), 2);
    jobs.RemoveAt(1);
    ASSERT_EQ(jobs.GetSize(), 2);
    EXPECT_EQ(jobs.GetAt(0).sourcePath, "a");
    EXPECT_EQ(jobs.GetAt(1).sourcePath, "c");
    jobs.RemoveAll();
    EXPECT_EQ(jobs.GetSize(), 0);
}

TEST(JobList, JobsAreValues)
{
    JobList jobs;
    jobs.Add(Named("a"));
    JobRecord copy = jobs.GetAt(0);
    copy.sourcePath = "changed";
    EXPECT_EQ(jobs.GetAt(0).sourcePath, "a");
    jobs.SetAt(0, copy);
    EXPECT_EQ(jobs.GetAt(0).sourcePath, "changed");
}

TEST(JobList, ResetMakesAConvertedOrFailedJobQueuedAgain)
{
    JobList jobs;
    JobRecord job = Named("a");
    job.trimStartMs = 1500.0;
    job.trimEndMs = 9000.0;
    job.positionMs = 8000.0;
    job.percentDone = 80;
    job.stateIcon = JobState::Done;
    job.finished = 1;
    job.encodedSizeKb = 300;
    job.encodeRate = 4.5;
    job.encodedSeconds = 6.5;
    job.stage = JobStage::Canceled;
    job.failed = true;
    job.run.Start(RunRecord::Clock::now());
    job.run.AppendOutput("Conversion failed!");
    job.run.Fail("broken", RunRecord::Clock::now());
    jobs.Add(job);

    jobs.ResetProgress(0);
    const JobRecord reset = jobs.GetAt(0);
    EXPECT_DOUBLE_EQ(reset.positionMs, 1500.0);
    EXPECT_EQ(reset.percentDone, 0);
    EXPECT_EQ(reset.stateIcon, JobState::Queued);
    EXPECT_EQ(reset.finished, 0);
    EXPECT_EQ(reset.encodedSizeKb, 0);
    EXPECT_DOUBLE_EQ(reset.encodeRate, 0.0);
    EXPECT_DOUBLE_EQ(reset.encodedSeconds, 0.0);
    EXPECT_EQ(reset.stage, JobStage::Waiting);
    EXPECT_FALSE(reset.failed);
    EXPECT_FALSE(reset.run.Started());
    EXPECT_TRUE(reset.run.outcome.empty());
    EXPECT_TRUE(reset.run.outputTail.empty());
    // The trim is the user's choice and stays.
    EXPECT_DOUBLE_EQ(reset.trimEndMs, 9000.0);
}

TEST(JobList, UpdateStoresTheChangeBeforeTheCallersRedraw)
{
    JobList jobs;
    jobs.Add(Named("a"));
    jobs.Add(Named("b"));
    std::string seenByRedraw;
    const bool applied = jobs.Update(
        1, [](JobRecord& job) { job.percentDone = 42; },
        [&] { seenByRedraw = std::to_string(jobs.GetAt(1).percentDone); });
    EXPECT_TRUE(applied);
    EXPECT_EQ(jobs.GetAt(1).percentDone, 42);
    EXPECT_EQ(seenByRedraw, "42");
    EXPECT_EQ(jobs.GetAt(0).percentDone, 0);
}

TEST(JobList, NothingHappensForAnIndexOutsideTheList)
{
    // A batch holds a job's index while it services the window; if a job is
    // removed meanwhile, the index must not reach past the list's end.
    JobList jobs;
    jobs.Add(Named("a"));
    for (const int index : { -1, 1, 7 }) {
        bool changed = false;
        bool redrawn = false;
        EXPECT_FALSE(jobs.Update(
            index, [&](JobRecord&) { changed = true; }, [&] { redrawn = true; }))
            << index;
        EXPECT_FALSE(changed) << index;
        EXPECT_FALSE(redrawn) << index;
        EXPECT_FALSE(jobs.Contains(index)) << index;
        EXPECT_TRUE(jobs.GetAt(index).sourcePath.empty()) << index;
        jobs.SetAt(index, Named("intruder"));
        jobs.ResetProgress(index);
        jobs.RemoveAt(index);
    }
    ASSERT_EQ(jobs.GetSize(), 1);
    EXPECT_TRUE(jobs.Contains(0));
    EXPECT_EQ(jobs.GetAt(0).sourcePath, "a");
}

TEST(JobList, AChangeThatEmptiesTheListIsNotStored)
{
    // The change may run code that services the window; a job removed
    // there is not written back past the end.
    JobList jobs;
    jobs.Add(Named("a"));
    bool redrawn = false;
    EXPECT_FALSE(jobs.Update(
        0,
        [&](JobRecord& job) {
            job.sourcePath = "changed";
            jobs.RemoveAll();
        },
        [&] { redrawn = true; }));
    EXPECT_EQ(jobs.GetSize(), 0);
    EXPECT_FALSE(redrawn);
}

TEST(JobList, ObserverHearsEveryChangeWithItsRow)
{
    const struct {
        const char* what;
        std::function<void(JobList&)> change;
        std::vector<int> heard;
    } cases[] = {
        { "add", [](JobList& jobs) { jobs.Add(Named("c")); }, { 2 } },
        { "set", [](JobList& jobs) { jobs.SetAt(1, Named("x")); }, { 1 } },
        { "update", [](JobList& jobs) { jobs.Update(0, [](JobRecord& job) { job.percentDone = 5; }); },
            { 0 } },
        { "reset", [](JobList& jobs) { jobs.ResetProgress(1); }, { 1 } },
        { "remove", [](JobList& jobs) { jobs.RemoveAt(0); }, { JobList::kWholeList } },
        { "clear", [](JobList& jobs) { jobs.RemoveAll(); }, { JobList::kWholeList } },
        { "outside the list",
            [](JobList& jobs) {
                jobs.SetAt(7, Named("x"));
                jobs.RemoveAt(7);
                jobs.Update(7, [](JobRecord&) {});
            },
            {} },
    };
    for (const auto& c : cases) {
        JobList jobs;
        jobs.Add(Named("a"));
        jobs.Add(Named("b"));
        std::vector<int> heard;
        jobs.SetObserver([&heard](int index) { heard.push_back(index); });
        c.change(jobs);
        EXPECT_EQ(heard, c.heard) << c.what;
    }
}
