// What the main dialog's preview asks of the video-editing component: a
// file's duration, the clip to show, play and pause. Stopping a conversion
// also ends a playback. The component reports positions of the playback as
// its event 4 (CVideoEdit::PreviewPosition); tests use fakes.
#pragma once

#include <cstdint>
#include <string>

namespace kelvara {

class PreviewControl {
public:
    virtual ~PreviewControl() = default;

    // Seconds; 0 for a file that cannot be read.
    virtual double GetFileDuration(const std::string& path) = 0;
    virtual void SetOutputDepth(std::int16_t depth) = 0;
    // Times in seconds of the source; one clip described twice is one clip.
    virtual bool AddClip(const std::string& path, double start, double end) = 0;
    virtual bool AddClipEx(const std::string& path, double start, double end, std::int16_t flag) = 0;
    virtual void ClearClips() = 0;
    // Ends a conversion or a playback; nothing when neither runs.
    virtual void StopConvert() = 0;
    // Plays the clip from its start to its end. False when it cannot start
    // (a conversion runs, or no player); the position event still comes.
    virtual bool StartPlay() = 0;
    virtual void PausePlay() = 0;
};

} // namespace kelvara
