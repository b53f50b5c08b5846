#include "ClipList.h"

#include <cmath>

namespace kelvara {

namespace {

// Both calls for one clip compute their times from the same milliseconds;
// a microsecond covers any rounding on the way.
constexpr double kSameTimeSeconds = 1e-6;

bool SameTime(double a, double b)
{
    return std::fabs(a - b) < kSameTimeSeconds;
}

bool IsSameClip(const Clip& clip, const std::string& path, double start, double end)
{
    return clip.path == path && SameTime(clip.startSeconds, start) && SameTime(clip.endSeconds, end);
}

} // namespace

bool ClipList::Add(const std::string& path, double startSeconds, double endSeconds)
{
    if (path.empty() || !std::isfinite(startSeconds) || !std::isfinite(endSeconds))
        return false;
    if (startSeconds < 0.0 || endSeconds <= startSeconds)
        return false;
    if (m_clip)
        return IsSameClip(*m_clip, path, startSeconds, endSeconds);
    m_clip = Clip { path, startSeconds, endSeconds };
    return true;
}

} // namespace kelvara
