#include "EncoderOutputLines.h"

#include <vector>

namespace kelvara {

bool IsEncoderStatusLine(std::string_view line)
{
    return line.find("size=") != std::string_view::npos && line.find("time=") != std::string_view::npos;
}

std::string LastEncoderLines(std::string_view text, std::size_t count, StatusLines statusLines)
{
    std::vector<std::string_view> lines;
    bool lastWasStatus = false;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        const bool status = !line.empty() && IsEncoderStatusLine(line);
        if (!line.empty() && !(status && statusLines == StatusLines::Dropped)) {
            if (status && lastWasStatus)
                lines.back() = line;
            else
                lines.push_back(line);
            lastWasStatus = status;
        }
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    std::string joined;
    const std::size_t first = lines.size() > count ? lines.size() - count : 0;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!joined.empty())
            joined += '\n';
        joined += lines[i];
    }
    return joined;
}

} // namespace kelvara
