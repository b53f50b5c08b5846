#include "ffmpeg/FfmpegTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelvara {

namespace {

std::string Escaped(std::string_view text, std::string_view specials)
{
    std::string escaped;
    for (char c : text) {
        if (specials.find(c) != std::string_view::npos)
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace

std::string FfmpegFilePath(const std::string& path)
{
    if (path.starts_with('/'))
        return path;
    return "file:" + path;
}

std::string SecondsText(double seconds)
{
    if (!std::isfinite(seconds))
        seconds = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", std::max(seconds, 0.0));
    std::string result(text);
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.')
        result.pop_back();
    return result;
}

std::string FilterGraphValue(std::string_view value)
{
    return Escaped(Escaped(value, "\\':"), "\\'[],;");
}

} // namespace kelvara
