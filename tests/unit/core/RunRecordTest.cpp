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
    const auto ended = [&](auto end) {
        RunRecord run;
        run.Start(start);
        end(run);
        return run.outcome;
    };
    const struct {
        std::string outcome;
        std::string expected;
    } cases[] = {
        { ended([&](RunRecord& run) { run.Finish(start + 12340ms); }), "finished in 12.3 s" },
        { ended([&](RunRecord& run) { run.Finish(start + 59950ms); }), "finished in 60.0 s" },
        // The wall clock set back during the run.
        { ended([&](RunRecord& run) { run.Finish(start - 3s); }), "finished in 0.0 s" },
        { ended([&](RunRecord& run) { run.Stop(45, start + 1s); }), "stopped by the user at 45 %" },
        { ended([&](RunRecord& run) { run.Stop(130, start + 1s); }), "stopped by the user at 100 %" },
        { ended([&](RunRecord& run) { run.Fail("  Unknown encoder 'x'\n", start); }),
            "failed: Unknown encoder 'x'" },
        { ended([&](RunRecord& run) { run.Fail("\n", start); }), "failed: no reason was given" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.outcome, c.expected);
}

TEST(RunRecord, TheTailKeepsTheLastWholeLinesWithinItsCaps)
{
    const auto lines = [](int count, std::size_t width) {
        std::string text;
        for (int n = 1; n <= count; ++n)
            text += std::to_string(n) + ":" + std::string(width, 'x') + (n % 2 ? "\r\n" : "\r\r\n");
        return text;
    };
    const struct {
        std::string appended;
        std::size_t lines;
        std::string last;
    } cases[] = {
        { lines(3, 1), 3, "3:x" },
        { lines(kRunTailLines + 10, 1), kRunTailLines, "50:x" },
        // Eight lines of about 1 KiB fill the 8 KiB.
        { lines(20, 1000), 8, "20:" + std::string(1000, 'x') },
    };
    for (const auto& c : cases) {
        RunRecord run;
        run.AppendOutput(c.appended);
        const std::string& tail = run.outputTail;
        EXPECT_LE(tail.size(), kRunTailBytes);
        EXPECT_EQ(static_cast<std::size_t>(std::count(tail.begin(), tail.end(), '\n')) + 1, c.lines) << tail;
        EXPECT_TRUE(tail.ends_with("\n" + c.last)) << tail;
        EXPECT_EQ(tail.find('\r'), std::string::npos);
        EXPECT_EQ(tail.find("\n\n"), std::string::npos);
    }
    // One line longer than the cap keeps its end, cut where a character starts.
    RunRecord run;
    std::string wide;
    for (std::size_t i = 0; i < kRunTailBytes; ++i)
        wide += "\xC3\xA9";
    run.AppendOutput(wide + "end");
    EXPECT_LE(run.outputTail.size(), kRunTailBytes);
    EXPECT_EQ(static_cast<unsigned char>(run.outputTail.front()), 0xC3);
    EXPECT_TRUE(run.outputTail.ends_with(std::string("\xC3\xA9") + "end"));
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
    EXPECT_TRUE(run.outputTail.empty());
    EXPECT_TRUE(run.outcome.empty());
}
