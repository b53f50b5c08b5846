// The clips a conversion (and later the preview) is made of.
//
// The program describes one clip twice, with AddClipEx and then AddClip: a
// clip identical to the one just added is that same clip, not a second one.
// The component converts one clip: a different clip while one is held is
// refused (ClearClips first), so nothing is dropped silently.
#pragma once

#include <optional>
#include <string>

namespace kelvara {

struct Clip {
    std::string path;
    double startSeconds = 0.0;
    double endSeconds = 0.0;

    double LengthSeconds() const { return endSeconds - startSeconds; }
};

class ClipList {
public:
    // False for an empty path, a negative or non-finite time, an end not
    // after the start, or a second, different clip.
    bool Add(const std::string& path, double startSeconds, double endSeconds);
    void Clear() { m_clip.reset(); }

    bool IsEmpty() const { return !m_clip.has_value(); }
    // The clip; only valid when the list is not empty.
    const Clip& Only() const { return *m_clip; }

private:
    std::optional<Clip> m_clip;
};

} // namespace kelvara
