// The player's side of the panel: opening a file in the video-editing
// component, the transport bar, and the flags that keep the Play and Pause
// buttons in step with the component.
//
// An open is under way from the open until the component's next position
// event. An open asked for in that time is kept and made at that event, so
// the preview always ends on the file of the row selected last.
#include "preview/PreviewPanel.h"

#include "filelist/PathText.h"
#include "skin/CRangeSlider.h"
#include "videoedit/PreviewControl.h"

#include <cmath>
#include <utility>

namespace kelvara {

namespace {

// The component's picture depth; the preview always asks for 24 bits.
constexpr std::int16_t kPreviewDepth = 24;

} // namespace

PreviewPanel::PreviewPanel(
    PreviewControl& component, const JobList& jobs, PreviewPanelHost& host, QWidget* parent)
    : m_component(component)
    , m_jobs(jobs)
    , m_host(host)
    , m_trim(new CRangeSlider(parent))
{
    m_trim->setAccessibleName(QStringLiteral("Trim range"));
    // The slider sends its message: the handler runs inside its mouse or key
    // handler, before the slider goes on.
    connect(
        m_trim, &CRangeSlider::RangeChanged, this, &PreviewPanel::OnTrimRangeChanged, Qt::DirectConnection);
}

void PreviewPanel::Open(const QString& path, double startSeconds)
{
    if (m_open) {
        m_pendingOpen = PendingOpen { path, startSeconds };
        return;
    }
    m_pendingOpen.reset();
    const std::string source = PathBytes(path);
    m_component.StopConvert();
    m_running = false;
    m_open = true;
    const double duration = m_component.GetFileDuration(source);
    m_component.ClearClips();
    m_component.SetOutputDepth(kPreviewDepth);
    // A start past the end (a file shorter than it was) opens at the start.
    const double start = startSeconds > duration ? 0.0 : startSeconds;
    m_component.AddClipEx(source, start, duration, 0);
    m_component.StartPlay();
}

void PreviewPanel::OnPlay()
{
    if (m_host.SelectedRow() < 0 || m_playRequested)
        return;
    m_playRequested = true;
    m_host.ShowPlayButton(false);
    if (m_host.IsConverting() || m_open)
        return;
    const int row = m_host.SelectedRow();
    if (row < 0)
        return;
    m_open = true;
    m_running = true;
    m_pendingOpen.reset();
    const JobRecord job = m_jobs.GetAt(row);
    const double start = job.trimStartMs * 0.001;
    const double end = job.trimEndMs * 0.001;
    m_component.ClearClips();
    m_component.AddClipEx(job.sourcePath, start, end, 0);
    m_component.AddClip(job.sourcePath, start, end);
    m_component.StartPlay();
}

void PreviewPanel::OnPlayPause()
{
    if (m_playRequested)
        OnPause();
    else
        OnPlay();
}

void PreviewPanel::OnPause()
{
    if (!m_playRequested)
        return;
    m_host.ShowPlayButton(true);
    m_playRequested = false;
    if (m_host.IsConverting() || m_host.SelectedRow() < 0)
        return;
    m_component.StopConvert();
    m_running = false;
}

void PreviewPanel::OnPosition(double seconds)
{
    if (!m_running)
        m_component.PausePlay();
    m_open = false;
    if (m_host.IsConverting()) {
        // The component converts now; a waiting open would stop it.
        m_pendingOpen.reset();
        return;
    }
    if (std::optional<PendingOpen> pending = std::exchange(m_pendingOpen, std::nullopt)) {
        Open(pending->path, pending->startSeconds);
        return;
    }
    const int row = m_host.SelectedRow();
    if (row < 0)
        return;
    m_running = true;
    const JobRecord job = m_jobs.GetAt(row);
    // Whole seconds, truncated toward zero, as the component counts them.
    if (std::trunc(job.trimEndMs * 0.001) == std::trunc(seconds) && m_playRequested) {
        m_host.ShowPlayButton(true);
        m_playRequested = false;
    }
}

void PreviewPanel::OnStop()
{
    if (m_host.IsConverting())
        return;
    m_host.ShowPlayButton(true);
    m_running = false;
    m_playRequested = false;
    if (m_jobs.GetSize() == 0)
        return;
    m_host.GoToRow(0);
}

void PreviewPanel::OnPreviousFile()
{
    if (m_host.IsConverting())
        return;
    const int row = m_host.SelectedRow();
    if (row > 0)
        m_host.GoToRow(row - 1);
}

void PreviewPanel::OnNextFile()
{
    if (m_host.IsConverting())
        return;
    const int row = m_host.SelectedRow();
    if (row >= 0 && row < m_jobs.GetSize() - 1)
        m_host.GoToRow(row + 1);
}

void PreviewPanel::StopPlayback()
{
    // Whatever was waiting to open may be gone from the list by now.
    m_pendingOpen.reset();
    m_component.StopConvert();
    m_running = false;
    MarkNotPlaying();
}

void PreviewPanel::MarkNotPlaying()
{
    m_host.ShowPlayButton(true);
    m_playRequested = false;
}

} // namespace kelvara
