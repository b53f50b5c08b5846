// The record a job keeps of its last run: the outcome lines and the cap on
// the output it keeps.
#include "jobs/RunRecord.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kelvara;
using namespace std::chrono_literals;

TEST(RunRecord, OutcomeLines)
{
    const RunRecord::Clock::time_point start = RunRecord::Clock::now();
    RunRecord run;
    run.Start(start);
    run.Finish(start + 12340ms);
    EXPECT_EQ(run.outcome, "finished in 12.3 s");
    const std::pair<std::string, std::string> cases[] = {
        { FinishedOutcome(59950ms), "finished in 60.0 s" },
        { FinishedOutcome(-3s), "finished in 0.0 s" }, // the wall clock set back during the run
        { StoppedOutcome(45), "stopped by the user at 45 %" },
        { StoppedOutcome(130), "stopped by the user at 100 %" },
        { FailedOutcome("  Unknown encoder 'x'\n"), "failed: Unknown encoder 'x'" },
        { FailedOutcome("\n"), "failed: no reason was given" },
    };
    for (const auto& [outcome, expected] : cases)
        EXPECT_EQ(outcome, expected);
}

TEST(RunRecord, TheTailKeepsTheLastWholeLinesWithinItsCaps)
{
    const auto lines = [](int count, std::size_t width) {
        std::string text;
        for (int n = 1; n <= count; ++n)
            text += std::to_string(n) + ":" + std::string(width, 'x') + (n % 2 ? "\r\n" : "\r\r\n");
        return text;
    };
    // count of lines kept, last line; eight lines of about 1 KiB fill the 8 KiB
    const std::tuple<std::string, std::size_t, std::string> cases[] = { { lines(3, 1), 3, "3:x" },
        { lines(50, 1), kRunTailLines, "50:x" }, { lines(20, 1000), 8, "20:" + std::string(1000, 'x') } };
    for (const auto& [appended, count, last] : cases) {
        RunRecord run;
        run.AppendOutput(appended);
        const std::string& tail = run.outputTail;
        EXPECT_LE(tail.size(), kRunTailBytes);
        EXPECT_EQ(static_cast<std::size_t>(std::count(tail.begin(), tail.end(), '\n')) + 1, count) << tail;
        EXPECT_TRUE(tail.ends_with("\n" + last) && tail.find_first_of("\r") == std::string::npos) << tail;
    }
    // One line longer than the cap keeps its end, cut where a character starts.
    RunRecord run;
    std::string wide;
    for (std::size_t i = 0; i < kRunTailBytes; ++i)
        wide += "\xC3\xA9";
    run.AppendOutput(wide + "end");
    EXPECT_LE(run.outputTail.size(), kRunTailBytes);
    EXPECT_EQ(static_cast<unsigned char>(run.outputTail.front()), 0xC3);
}

// An intermediate step and the conversion after it are one run; a job
// started again after its run ended starts a fresh record.
TEST(RunRecord, OnlyAnEndedRunStartsAfresh)
{
    const RunRecord::Clock::time_point start = RunRecord::Clock::now();
    RunRecord run;
    run.StartUnlessGoing(start);
    run.AppendOutput("from the intermediate step");
    run.StartUnlessGoing(start + 5s);
    EXPECT_EQ(run.started, start);
    EXPECT_EQ(run.outputTail, "from the intermediate step");
    run.Fail("no output", start + 6s);
    run.StartUnlessGoing(start + 7s);
    EXPECT_EQ(run.started, start + 7s);
    EXPECT_TRUE(run.outputTail.empty() && run.outcome.empty());
}
