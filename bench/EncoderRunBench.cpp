// Runs one encoder command through the program's runner, as a conversion
// would, and prints the wall time and the CPU time of this process: the
// runner must sleep while it waits, so its own CPU time stays near zero.
//   bench_encoder_run TOOL_DIRECTORY 'COMMAND'
#include "platform/TickCount.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

class SilentView : public kelvara::JobListView {
public:
    void RedrawCell(int, kelvara::JobColumn) override { ++redraws; }
    int redraws = 0;
};

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TOOL_DIRECTORY 'COMMAND'\n", argv[0]);
        return 2;
    }
    kelvara::JobList jobs;
    SilentView view;
    kelvara::ConversionContext context(jobs, view);
    context.toolDirectory = argv[1];
    kelvara::JobRecord job;
    job.trimEndMs = 60000.0;
    const int index = jobs.Add(job);
    kelvara::EncoderRunner runner(context);

    const double cpuBefore = CpuSeconds();
    const auto started = std::chrono::steady_clock::now();
    context.startTick = kelvara::platform::TickCount();
    const kelvara::RunOutcome outcome = runner.RunEncoder(argv[2], index);
    runner.AskEncoderToQuit();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;
    const double cpu = CpuSeconds() - cpuBefore;

    std::printf("wall=%.3f runner_cpu=%.3f redraws=%d encoded=%.2f exit=%d\n", wall.count(), cpu,
        view.redraws, jobs.GetAt(index).encodedSeconds, outcome.exitCode);
    return outcome.Succeeded() ? 0 : 1;
}
