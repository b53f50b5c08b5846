#include "RunRecord.h"

#include <algorithm>

namespace kelvara {

namespace {

std::chrono::milliseconds Between(RunRecord::Clock::time_point from, RunRecord::Clock::time_point to)
{
    // The wall clock may be set back during a run; a run takes no less than nothing.
    return std::max(
        std::chrono::duration_cast<std::chrono::milliseconds>(to - from), std::chrono::milliseconds::zero());
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last + 1 - first);
}

// Drops whole lines from the front until both caps hold; a single line
// longer than the byte cap keeps its end, cut where a character starts.
void Cap(std::string& tail)
{
    std::size_t lines
        = tail.empty() ? 0 : 1 + static_cast<std::size_t>(std::count(tail.begin(), tail.end(), '\n'));
    while (lines > kRunTailLines || (lines > 1 && tail.size() > kRunTailBytes)) {
        tail.erase(0, tail.find('\n') + 1);
        --lines;
    }
    if (tail.size() <= kRunTailBytes)
        return;
    std::size_t cut = tail.size() - kRunTailBytes;
    while (cut < tail.size() && (static_cast<unsigned char>(tail[cut]) & 0xC0) == 0x80)
        ++cut;
    tail.erase(0, cut);
}

} // namespace

void RunRecord::Start(Clock::time_point now)
{
    *this = RunRecord {};
    started = now;
}

void RunRecord::StartUnlessGoing(Clock::time_point now)
{
    if (!Going())
        Start(now);
}

void RunRecord::AppendOutput(std::string_view lines)
{
    while (!lines.empty()) {
        const std::size_t end = lines.find_first_of("\r\n");
        const std::string_view line = lines.substr(0, end);
        if (!line.empty()) {
            if (!outputTail.empty())
                outputTail += '\n';
            outputTail += line;
        }
        if (end == std::string_view::npos)
            break;
        lines.remove_prefix(end + 1);
    }
    Cap(outputTail);
}

void RunRecord::Finish(Clock::time_point now)
{
    ended = now;
    outcome = FinishedOutcome(Between(started, now));
}

void RunRecord::Stop(int percent, Clock::time_point now)
{
    ended = now;
    outcome = StoppedOutcome(percent);
}

void RunRecord::Fail(std::string_view reason, Clock::time_point now)
{
    ended = now;
    outcome = FailedOutcome(reason);
}

std::string FinishedOutcome(std::chrono::milliseconds took)
{
    // Whole numbers only: a desktop program runs in the user's locale, whose
    // decimal point may be a comma.
    const long long tenths = (std::max<long long>(took.count(), 0) + 50) / 100;
    return "finished in " + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

std::string StoppedOutcome(int percent)
{
    return "stopped by the user at " + std::to_string(std::clamp(percent, 0, 100)) + " %";
}

std::string FailedOutcome(std::string_view reason)
{
    const std::string_view trimmed = Trimmed(reason);
    return "failed: " + std::string(trimmed.empty() ? "no reason was given" : trimmed);
}

} // namespace kelvara
