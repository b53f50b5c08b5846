// The responsiveness probe: it sees a blocked event loop as a late tick, and
// its times are on the clock another process reads.
#include "platform/TimerProbe.h"
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <thread>

using namespace kelvara;

namespace {

double MonotonicSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

TEST(TimerProbe, ABlockedLoopShowsAsALateTickInTheFileWrittenAtExit)
{
    int argc = 1;
    char name[] = "timer_probe_test";
    char* argv[] = { name, nullptr };
    QCoreApplication application(argc, argv);
    kelvara::testing::TempFolder folder;
    const std::string path = folder.File("ticks.txt");
    const double before = MonotonicSeconds();
    {
        platform::TimerProbe probe;
        probe.WriteAtExit(path);
        probe.Start();
        QTimer::singleShot(100, [] { std::this_thread::sleep_for(std::chrono::milliseconds(80)); });
        QTimer::singleShot(300, [] { QCoreApplication::quit(); });
        QCoreApplication::exec();
        EXPECT_GE(probe.Quantile(1.0), 60.0);
        EXPECT_GE(probe.Samples(), 10u);
    }
    const double after = MonotonicSeconds();

    std::ifstream ticks(path);
    double when = 0.0;
    double late = 0.0;
    int lines = 0;
    double latest = 0.0;
    while (ticks >> when >> late) {
        ++lines;
        EXPECT_GE(when, before);
        EXPECT_LE(when, after);
        EXPECT_GE(late, 0.0);
        latest = std::max(latest, late);
    }
    EXPECT_GE(lines, 10);
    EXPECT_GE(latest, 60.0) << "the 80 ms block was not seen";
}

} // namespace
