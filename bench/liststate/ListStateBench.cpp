// The saved file list during a batch of 10 000 jobs: a job changes state,
// then the keeper takes its snapshot and hands it to the writer's thread.
// The GUI thread's share of each write (the change's notice, the snapshot
// and the hand-off) is timed; the writer's own time is shown beside it.
// Percentage ticks between the state changes are timed too: they must
// cost almost nothing and write nothing.
#include "liststate/ListStateKeeper.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace kelvara;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kJobs = 10000;
constexpr int kWrites = 300;
constexpr int kTicksPerWrite = 20;
constexpr double kGoalMs = 1.0;

JobRecord SampleJob(int i)
{
    JobRecord job;
    job.sourcePath = "/home/someone/Videos/holiday 2026/clip number " + std::to_string(i) + ".mkv";
    job.trimStartMs = i * 10.0;
    job.trimEndMs = 60000.0 + i;
    job.durationMs = 120000.0;
    job.outputTitle = "clip number " + std::to_string(i);
    job.run.outputTail = std::string(4000, 'x'); // what a finished run keeps and the file does not
    return job;
}

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(std::lround(share * static_cast<double>(values.size() - 1)));
    return values[at];
}

void Figure(const char* name, double value, const char* goal, bool holds)
{
    std::printf("FIGURE\tlist state: %s\t%.3f\t%s\t%s\n", name, value, goal, holds ? "yes" : "no");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.json"));
    JobList jobs;
    for (int i = 0; i < kJobs; ++i)
        jobs.Add(SampleJob(i));
    liststate::ListStateKeeper keeper(
        path, jobs,
        [] {
            return liststate::WindowChoices { 0, 3, { { 1041, "128 kbps" } }, "/out/" };
        },
        60000);
    keeper.SaveNow();

    std::vector<double> writes;
    std::vector<double> ticks;
    Clock::duration flushed {};
    for (int w = 0; w < kWrites; ++w) {
        const int row = w * 31 % kJobs;
        for (int t = 0; t < kTicksPerWrite; ++t) {
            const auto start = Clock::now();
            jobs.Update(row, [t](JobRecord& job) {
                job.stateIcon = JobState::Converting;
                job.percentDone = t * 5;
            });
            ticks.push_back(Milliseconds(Clock::now() - start));
        }
        const auto start = Clock::now();
        jobs.Update(row, [](JobRecord& job) {
            job.stateIcon = JobState::Done;
            job.outputPath = job.sourcePath + ".mp4";
        });
        keeper.HandOff();
        writes.push_back(Milliseconds(Clock::now() - start));
        // One write at a time, as a batch's jobs end seconds apart; the
        // writer's time is measured here, not on the GUI thread.
        const auto flushStart = Clock::now();
        keeper.SaveNow();
        flushed += Clock::now() - flushStart;
    }
    const double median = Percentile(writes, 0.5);
    const double p99 = Percentile(writes, 0.99);
    Figure("GUI thread per write, 10 000 rows, median (ms)", median, "<= 1", median <= kGoalMs);
    Figure("GUI thread per write, 10 000 rows, p99 (ms)", p99, "<= 1", p99 <= kGoalMs);
    Figure("GUI thread per percentage tick, p99 (ms)", Percentile(ticks, 0.99), "-", true);
    Figure("writer thread per write, mean (ms)", Milliseconds(flushed) / kWrites, "-", true);
    Figure("file size (KiB)", static_cast<double>(QFileInfo(path).size()) / 1024.0, "-", true);
    return median <= kGoalMs && p99 <= kGoalMs ? 0 : 1;
}
