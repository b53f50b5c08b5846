// Plays one clip of a media file through libmpv: mpv decodes and keeps picture
// and sound in step; its software renderer draws each picture into a QImage
// on the GUI thread (no OpenGL, so it works under Xvfb and offscreen); its own
// audio output plays the sound, and falls back to none without a device.
//
// mpv's callbacks come from its own threads: they only post a call to this
// object, and every mpv event, render and signal is handled on the thread
// that owns it. Position(seconds) is emitted on that thread:
// - once the first picture of a started clip is drawn (for a file without
//   pictures: once it plays),
// - a few times a second while it plays,
// - when it pauses or stops, and when it reaches the clip's end (with the
//   clip's end),
// - when the file cannot be played (with the clip's start), so a caller that
//   waits for a position is never left waiting.
// A position that is still on its way when the next clip starts is dropped:
// it belongs to the clip before.
//
// mpv requires the C numeric locale (LC_NUMERIC), set after QApplication.
#pragma once

#include "videoedit/ClipList.h"

#include <QImage>
#include <QObject>
#include <QSize>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct mpv_handle;
struct mpv_render_context;
struct mpv_event;
struct mpv_event_property;

namespace kelvara {

class MpvPlayback : public QObject {
    Q_OBJECT

public:
    struct Creation {
        std::unique_ptr<MpvPlayback> playback;
        std::string error; // why there is none
    };
    // `audioOutputs` is mpv's list of audio outputs to try in order.
    static Creation Create(const std::string& audioOutputs = "pulse,alsa,null");
    // Ends playback: mpv's threads end and its audio device is released.
    ~MpvPlayback() override;

    // Loads the file and plays from the clip's start to its end.
    void Play(const Clip& clip);
    void Pause();
    // Unloads the file; the last picture stays.
    void Stop();

    bool IsPlaying() const { return m_playing; }
    // The size pictures are drawn at, in pixels (the view's size).
    void SetTargetSize(QSize size);
    // The last picture drawn; black where the file has none.
    const QImage& Picture() const { return m_picture; }

    struct Counters {
        std::int64_t framesDroppedByOutput = 0;
        std::int64_t framesDroppedByDecoder = 0;
        std::int64_t picturesDrawn = 0;
        // Times mpv's video output waited in vain for a picture to be taken.
        std::int64_t rendererStalls = 0;
    };
    Counters FrameCounters() const;

signals:
    void Position(double seconds);
    void PictureChanged();

private:
    explicit MpvPlayback(mpv_handle* mpv);
    bool AttachRenderer(std::string& error);
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void HandlePropertyChange(const mpv_event_property& property);
    void OnLoadReplied(const mpv_event& event);
    void FailPlay();
    void OnFileLoaded();
    void OnFileEnded(int reason, int error);
    void RenderFrame();
    bool DrawInto(QImage& image);
    void ReportPosition(double seconds);
    void PostPosition(double seconds);
    void ClearPicture();
    double CurrentTime() const;

    mpv_handle* m_mpv = nullptr;
    mpv_render_context* m_render = nullptr;
    // Set while a call to drain events or render is posted and not yet run:
    // mpv may wake us many times for one call.
    std::atomic<bool> m_eventsPosted { false };
    std::atomic<bool> m_renderPosted { false };

    Clip m_clip;
    QImage m_picture;
    // Where pictures that are not shown are taken.
    QImage m_discarded;
    QSize m_targetSize { 296, 217 };
    // mpv's playlist entry of the clip last started; events and pictures of
    // an entry replaced meanwhile are not this clip's.
    static constexpr std::int64_t kNoEntry = -1;
    static constexpr std::int64_t kEntryPending = -2;
    std::int64_t m_entry = kNoEntry;
    std::int64_t m_lastStartedEntry = kNoEntry;
    std::int64_t m_lastLoadedEntry = kNoEntry;
    bool m_entryStarted = false;
    bool m_loaded = false;
    bool m_hasVideo = true;
    bool m_playing = false;
    bool m_awaitingFirstPicture = false;
    // A picture of the clip started last has been drawn: from then on the
    // picture only changes while it plays.
    bool m_clipPictureDrawn = false;
    // Counts started clips; a posted position carries the count of its time.
    std::uint64_t m_generation = 0;
    std::chrono::steady_clock::time_point m_lastReport;
    // mpv's last reported time of the clip playing.
    std::optional<double> m_timePos;
    std::int64_t m_picturesDrawn = 0;
    std::int64_t m_rendererStalls = 0;
};

} // namespace kelvara
