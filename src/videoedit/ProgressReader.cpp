#include "ProgressReader.h"

#include <charconv>

namespace kelvara {

namespace {

constexpr std::string_view kTimeKey = "out_time_us=";
constexpr std::string_view kBlockEndKey = "progress=";
// A line longer than this is not ffmpeg's report: drop it rather than grow.
constexpr std::size_t kLongestLine = 4096;

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// "N/A" (before the first frame) and garbage give -1.
double MicrosecondsToSeconds(std::string_view value)
{
    long long microseconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), microseconds);
    if (error != std::errc() || end != value.data() + value.size() || microseconds < 0)
        return -1.0;
    return static_cast<double>(microseconds) / 1e6;
}

} // namespace

std::vector<double> ProgressReader::Feed(std::string_view text)
{
    std::vector<double> positions;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            m_partialLine.append(text);
            if (m_partialLine.size() > kLongestLine)
                m_partialLine.clear();
            break;
        }
        m_partialLine.append(text.substr(0, end));
        std::string line = std::move(m_partialLine);
        m_partialLine.clear();
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ReadLine(line, positions);
        text.remove_prefix(end + 1);
    }
    return positions;
}

void ProgressReader::ReadLine(std::string_view line, std::vector<double>& positions)
{
    if (StartsWith(line, kTimeKey)) {
        m_blockSeconds = MicrosecondsToSeconds(line.substr(kTimeKey.size()));
        return;
    }
    if (!StartsWith(line, kBlockEndKey))
        return;
    if (line.substr(kBlockEndKey.size()) == "end")
        m_sawEnd = true;
    if (m_blockSeconds >= 0.0)
        positions.push_back(m_blockSeconds);
    m_blockSeconds = -1.0;
}

} // namespace kelvara
