// The preview and trim panel of the main window: the player's transport
// bar, the small state machine that keeps the Play and Pause buttons in step
// with the video-editing component, and the trim range slider, whose
// changes write the selected job's start and end.
#pragma once

#include "preview/PreviewPanelHost.h"

#include <QObject>
#include <QString>
#include <optional>

class QWidget;

namespace kelvara {

class CRangeSlider;
class PreviewControl;

class PreviewPanel : public QObject {
    Q_OBJECT
public:
    // Makes the trim slider, a child of `parent`, and listens to it. The
    // component, the jobs and the host must outlive the panel; the owner
    // holds the panel, `parent` the slider.
    PreviewPanel(PreviewControl& component, const JobList& jobs, PreviewPanelHost& host, QWidget* parent);

    // The transport bar's buttons and the component's position event
    // (its event 4), in seconds.
    void OnPlay();
    void OnPause();
    // The play key: Pause while Play is asked for, else Play.
    void OnPlayPause();
    void OnStop();
    void OnPreviousFile();
    void OnNextFile();
    void OnPosition(double seconds);

    // Opens a source at a position (seconds) and pauses on its first
    // picture; an open asked for while one is under way waits for it.
    void Open(const QString& path, double startSeconds);
    // Ends a playback and forgets a waiting open; Play shows again.
    void StopPlayback();
    // Shows Play in place of Pause; the component is not asked.
    void MarkNotPlaying();

    // Loads the slider, in milliseconds: the range 0 .. duration and the
    // selected start and end. Not a user change: no job is written.
    void LoadTrimRange(double durationMs, double startMs, double endMs);
    // The slider's notification: part 0 left thumb, 1 right thumb, 2 the
    // bar; final at the end of a drag, which stores whole milliseconds,
    // queues the job again and shows the new start or end. A change made
    // with the keys shows its span in the list at once.
    void OnTrimRangeChanged(int part, bool final);
    CRangeSlider& TrimSlider() { return *m_trim; }

    struct Flags {
        bool open = false;
        bool playRequested = false;
        bool running = false;
    };
    Flags State() const { return { m_open, m_playRequested, m_running }; }

private:
    void SetTrimFromDrag(int index, int startMs, int endMs);
    void RequeueJob(int index);

    PreviewControl& m_component;
    const JobList& m_jobs;
    PreviewPanelHost& m_host;
    CRangeSlider* m_trim = nullptr;
    // From an open until the component's next position event: meanwhile
    // nothing else is asked of the component.
    bool m_open = false;
    bool m_playRequested = false;
    bool m_running = false;
    struct PendingOpen {
        QString path;
        double startSeconds = 0.0;
    };
    // The open asked for while one was under way; only the last one waits.
    std::optional<PendingOpen> m_pendingOpen;
    // Set while the panel itself loads the slider, whose notifications are
    // then not the user's changes.
    bool m_trimRangeUpdating = false;
};

} // namespace kelvara
