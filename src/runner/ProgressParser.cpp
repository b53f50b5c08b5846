#include "ProgressParser.h"

#include <cctype>
#include <charconv>
#include <string>

namespace kelvara {

namespace {

constexpr std::string_view kSizeToken = "size=";
constexpr std::string_view kTimeToken = "time=";
constexpr std::size_t kSizeMinimumLength = 13;
constexpr std::size_t kSizeFieldLength = 8;
constexpr std::size_t kTimeMinimumLength = 9;
constexpr std::size_t kTimeFieldLength = 5;

// The fixed-width field after a token, as a text of its own.
std::string FieldAfter(std::string_view chunk, std::size_t tokenStart, std::size_t length)
{
    return std::string(chunk.substr(tokenStart + kSizeToken.size(), length));
}

// Leading blanks skipped, reading stops at the first character that does not
// belong to the number, 0 when there is none. Independent of the locale,
// which a desktop program sets from the user's environment.
std::string_view SkipBlanks(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return text;
}

int LeadingInteger(std::string_view text)
{
    text = SkipBlanks(text);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

double LeadingDecimal(std::string_view text)
{
    text = SkipBlanks(text);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return value;
}

} // namespace

bool ParseProgressChunk(std::string_view chunk, JobRecord& job, std::uint32_t nowTick,
    std::uint32_t startTick, EncodeSpeed& speed)
{
    bool askToQuit = false;

    const std::size_t size = chunk.find(kSizeToken);
    if (size != std::string_view::npos && chunk.size() - size >= kSizeMinimumLength)
        job.encodedSizeKb = LeadingInteger(FieldAfter(chunk, size, kSizeFieldLength));

    const std::size_t time = chunk.find(kTimeToken);
    if (time != std::string_view::npos && chunk.size() - time >= kTimeMinimumLength) {
        const double seconds = LeadingDecimal(FieldAfter(chunk, time, kTimeFieldLength));
        if (job.NeedsIntermediateFile() && job.encodedSizeKb > 0 && seconds >= job.TrimLengthSeconds())
            askToQuit = true;
        job.encodedSeconds = seconds;
        const std::uint32_t elapsedMs = nowTick - startTick;
        if (elapsedMs != 0)
            job.encodeRate = seconds * 1000.0 / elapsedMs;
        job.encodeSpeed = speed.Sample(seconds, nowTick);
    }
    return askToQuit;
}

bool ParseProgressChunk(
    std::string_view chunk, JobRecord& job, std::uint32_t nowTick, std::uint32_t startTick)
{
    EncodeSpeed speed;
    speed.Restart(startTick);
    return ParseProgressChunk(chunk, job, nowTick, startTick, speed);
}

} // namespace kelvara
