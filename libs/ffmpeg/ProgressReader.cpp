#include "ffmpeg/ProgressReader.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace kelvara {

namespace {

// A line longer than this is not ffmpeg's report: drop it rather than grow.
constexpr std::size_t kLongestLine = 4096;

// The whole value or nothing: "N/A" before the first frame, and garbage,
// must not pass for a number.
template <typename Number> std::optional<Number> ParseNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    Number value {};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool IsQualityKey(std::string_view key)
{
    // stream_<file>_<stream>_q: only video streams report one.
    return key.starts_with("stream_") && key.ends_with("_q");
}

} // namespace

std::vector<ProgressSnapshot> ProgressReader::Feed(std::string_view piece)
{
    std::vector<ProgressSnapshot> completed;
    for (std::size_t newline; (newline = piece.find('\n')) != std::string_view::npos;) {
        if (m_partialLine.empty()) {
            ReadLine(piece.substr(0, newline), completed);
        } else {
            m_partialLine.append(piece.substr(0, newline));
            const std::string line = std::move(m_partialLine);
            m_partialLine.clear();
            ReadLine(line, completed);
        }
        piece.remove_prefix(newline + 1);
    }
    if (m_partialLine.size() + piece.size() <= kLongestLine)
        m_partialLine.append(piece);
    else
        m_partialLine.clear();
    return completed;
}

void ProgressReader::ReadLine(std::string_view line, std::vector<ProgressSnapshot>& completed)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);

    if (key == "frame") {
        m_current.frames = ParseNumber<std::int64_t>(value).value_or(m_current.frames);
    } else if (IsQualityKey(key) && !m_haveQuality) {
        // Encoders without a quantiser report -1 (or -0.0); the line shows 0 for them.
        m_current.quality = std::max(0.0, ParseNumber<double>(value).value_or(0.0));
        m_haveQuality = true;
    } else if (key == "total_size") {
        m_current.sizeBytes = ParseNumber<std::int64_t>(value).value_or(m_current.sizeBytes);
    } else if (key == "out_time_us") {
        // Audio encoders' priming can give a negative time at the start: not a position.
        const std::optional<std::int64_t> microseconds = ParseNumber<std::int64_t>(value);
        if (microseconds && *microseconds >= 0) {
            m_current.seconds = static_cast<double>(*microseconds) / 1e6;
            m_current.timeKnown = true;
        }
    } else if (key == "progress") {
        m_current.finished = value == "end";
        m_latest = m_current;
        completed.push_back(m_current);
        // The next block starts from these values, but must give its own time and q.
        m_current.timeKnown = false;
        m_haveQuality = false;
    }
}

} // namespace kelvara
