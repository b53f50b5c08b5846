// One batch through the same BatchDriver and converters the window runs (the
// encoder in the tool directory, the video-editing component), on this
// program's main thread as on the window's. Prints how long the batch took,
// the CPU time this process used meanwhile (its children not counted), and,
// with --probe-timer, how late a 10 ms timer on the same thread fired.
//
//   bench_batch TOOL_DIR OUTPUT_DIR KIND [--profile N] [--files-at-once N|auto]
//               [--probe-timer] FILE...
//   KIND: mp3, avi, psp, a video kind of today: mp4, mkv, webm, av1,
//   phone, tv, web, or one of the later audio kinds flac, opus, aac, ogg, alac
//   bench_batch --probe-only SECONDS
// The second form runs only the timer, for the yardstick: the same timer in
// a process that does nothing else, under the same load.
#include "batch/FilesAtOnce.h"
#include "platform/TimerProbe.h"
#include "support/RealBatch.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <utility>

using namespace kelvara;
using namespace kelvara::testing;
using Clock = std::chrono::steady_clock;

namespace {

double CpuSecondsOf(int who)
{
    rusage usage {};
    ::getrusage(who, &usage);
    const auto seconds = [](const timeval& value) { return value.tv_sec + value.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double CpuSecondsOfThisProcess()
{
    return CpuSecondsOf(RUSAGE_SELF);
}

// This process and every child it reaped (the encoder reaps its ffmpeg):
// the work of the whole batch, which the machine's load does not change.
double CpuSecondsOfTheTree()
{
    return CpuSecondsOf(RUSAGE_SELF) + CpuSecondsOf(RUSAGE_CHILDREN);
}

OutputKind KindNamed(const std::string& name)
{
    if (name == "avi")
        return { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi) };
    if (name == "psp")
        return { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Psp) };
    const std::pair<const char*, OutputKind> todays[] = {
        { "mp4", { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mp4) } },
        { "mkv", { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mkv) } },
        { "webm", { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::WebM) } },
        { "av1", { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Av1) } },
        { "phone", { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::PhoneTablet) } },
        { "tv", { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::TvStick) } },
        { "web", { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Web) } },
    };
    for (const auto& [kindName, kind] : todays) {
        if (name == kindName)
            return kind;
    }
    const std::pair<const char*, AudioKind> audioKinds[]
        = { { "flac", AudioKind::Flac }, { "opus", AudioKind::Opus }, { "aac", AudioKind::Aac },
              { "ogg", AudioKind::Vorbis }, { "alac", AudioKind::Alac } };
    for (const auto& [audioName, kind] : audioKinds) {
        if (name == audioName)
            return { OutputCategory::Audio, static_cast<std::int32_t>(kind) };
    }
    return { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
}

} // namespace

int ProbeOnly(double seconds)
{
    platform::TimerProbe probe;
    probe.Start();
    const double cpuBefore = CpuSecondsOfThisProcess();
    QTimer::singleShot(
        std::chrono::milliseconds(static_cast<int>(seconds * 1000.0)), [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    probe.Stop();
    std::printf("elapsed=%.4f cpu_share=%.4f timer_samples=%zu timer_p99_ms=%.2f timer_max_ms=%.2f\n",
        seconds, (CpuSecondsOfThisProcess() - cpuBefore) / seconds, probe.Samples(), probe.Quantile(0.99),
        probe.Quantile(1.0));
    return 0;
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--probe-only")
        return ProbeOnly(std::atof(argv[2]));
    if (argc < 5) {
        std::fprintf(stderr,
            "usage: %s TOOL_DIR OUTPUT_DIR KIND [--profile N] [--files-at-once N|auto] [--probe-timer] "
            "FILE...\n",
            argv[0]);
        return 2;
    }
    RealBatch batch(std::string(argv[1]) + "/", argv[2]);
    batch.host.kind = KindNamed(argv[3]);
    bool probeTimer = false;
    for (int i = 4; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--profile" && i + 1 < argc)
            batch.device.profilePosition = std::atoi(argv[++i]);
        else if (argument == "--files-at-once" && i + 1 < argc) {
            const std::string value = argv[++i];
            batch.driver.SetFilesAtOnce(value == "auto" ? kFilesAtOnceAuto : std::atoi(value.c_str()));
        } else if (argument == "--probe-timer")
            probeTimer = true;
        else
            batch.AddSource(argument);
    }

    platform::TimerProbe probe;
    if (probeTimer)
        probe.Start();
    const double cpuBefore = CpuSecondsOfThisProcess();
    const double treeBefore = CpuSecondsOfTheTree();
    const Clock::time_point start = Clock::now();
    batch.driver.OnStart();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = CpuSecondsOfThisProcess() - cpuBefore;
    const double treeCpu = CpuSecondsOfTheTree() - treeBefore;
    probe.Stop();

    int done = 0;
    for (int i = 0; i < batch.jobs.GetSize(); ++i) {
        if (batch.Job(i).stateIcon == JobState::Done)
            ++done;
        else
            std::fprintf(stderr, "job %d: %s\n", i, batch.Job(i).run.outcome.c_str());
    }
    std::printf("elapsed=%.4f cpu=%.4f cpu_share=%.4f tree_cpu=%.4f jobs=%d done=%d", elapsed, cpu,
        cpu / elapsed, treeCpu, batch.jobs.GetSize(), done);
    if (probeTimer)
        std::printf(" timer_samples=%zu timer_p99_ms=%.2f timer_max_ms=%.2f", probe.Samples(),
            probe.Quantile(0.99), probe.Quantile(1.0));
    std::printf("\n");
    return done == batch.jobs.GetSize() ? 0 : 1;
}
