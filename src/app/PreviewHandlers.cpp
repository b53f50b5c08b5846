// The preview's side of the main dialog: opening the current job's file in
// the video-editing component, the transport bar, and the small state
// machine that keeps the Play and Pause buttons in step with the component.
//
// previewOpen is set from an open until the component's next position event:
// meanwhile nothing else is asked of the component. An open asked for in
// that time is kept and made at that event, so the preview always ends on
// the file of the row selected last.
#include "app/CConverterDlg.h"
#include "filelist/PathText.h"

#include "filelist/FileListCommands.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinListCtrl.h"
#include "videoedit/CVideoEdit.h"
#include "videoedit/PreviewControl.h"

#include <cmath>
#include <utility>

namespace kelvara {

namespace {

// The component's picture depth; the preview always asks for 24 bits.
constexpr std::int16_t kPreviewDepth = 24;

} // namespace

void CConverterDlg::WirePreviewHandlers()
{
    if (m_services.preview) {
        m_preview = m_services.preview;
    } else {
        // The dialog's own component plays into its window at control 1081.
        m_preview = m_videoEdit;
        m_controls->Replace(ctl::PreviewWindow, m_videoEdit->CreatePreviewView(this));
        connect(m_videoEdit, &CVideoEdit::PreviewPosition, this, &CConverterDlg::OnPreviewPosition);
    }
    const auto onClick = [this](int id, void (CConverterDlg::*handler)()) {
        connect(m_controls->Button(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(ctl::Play, &CConverterDlg::OnPreviewPlay);
    onClick(ctl::Pause, &CConverterDlg::OnPreviewPause);
    onClick(ctl::PreviewStop, &CConverterDlg::OnPreviewStop);
    onClick(ctl::PreviousFile, &CConverterDlg::OnPreviousFile);
    onClick(ctl::NextFile, &CConverterDlg::OnNextFile);
}

void CConverterDlg::OpenPreview(const QString& path, double startSeconds)
{
    if (m_previewOpen) {
        m_pendingPreview = PendingPreview { path, startSeconds };
        return;
    }
    m_pendingPreview.reset();
    const std::string source = PathBytes(path);
    m_preview->StopConvert();
    m_previewRunning = false;
    m_previewOpen = true;
    const double duration = m_preview->GetFileDuration(source);
    m_preview->ClearClips();
    m_preview->SetOutputDepth(kPreviewDepth);
    // A start past the end (a file shorter than it was) opens at the start.
    const double start = startSeconds > duration ? 0.0 : startSeconds;
    m_preview->AddClipEx(source, start, duration, 0);
    m_preview->StartPlay();
}

void CConverterDlg::ShowPlayButton(bool play)
{
    m_controls->At(ctl::Play)->setVisible(play);
    m_controls->At(ctl::Pause)->setVisible(!play);
}

void CConverterDlg::OnPreviewPlay()
{
    if (SelectedRow() < 0 || m_playRequested)
        return;
    m_playRequested = true;
    ShowPlayButton(false);
    if (IsConverting() || m_previewOpen)
        return;
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_previewOpen = true;
    m_previewRunning = true;
    m_pendingPreview.reset();
    const JobRecord job = m_jobs.GetAt(row);
    const double start = job.trimStartMs * 0.001;
    const double end = job.trimEndMs * 0.001;
    m_preview->ClearClips();
    m_preview->AddClipEx(job.sourcePath, start, end, 0);
    m_preview->AddClip(job.sourcePath, start, end);
    m_preview->StartPlay();
}

void CConverterDlg::OnPreviewPause()
{
    if (!m_playRequested)
        return;
    ShowPlayButton(true);
    m_playRequested = false;
    if (IsConverting() || SelectedRow() < 0)
        return;
    m_preview->StopConvert();
    m_previewRunning = false;
}

void CConverterDlg::OnPreviewPosition(double position)
{
    if (!m_previewRunning)
        m_preview->PausePlay();
    m_previewOpen = false;
    if (IsConverting()) {
        // The component converts now; a waiting open would stop it.
        m_pendingPreview.reset();
        return;
    }
    if (std::optional<PendingPreview> pending = std::exchange(m_pendingPreview, std::nullopt)) {
        OpenPreview(pending->path, pending->startSeconds);
        return;
    }
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_previewRunning = true;
    const JobRecord job = m_jobs.GetAt(row);
    // Whole seconds, truncated toward zero, as the component counts them.
    if (std::trunc(job.trimEndMs * 0.001) == std::trunc(position) && m_playRequested) {
        ShowPlayButton(true);
        m_playRequested = false;
    }
}

void CConverterDlg::OnPreviewStop()
{
    if (IsConverting())
        return;
    ShowPlayButton(true);
    m_previewRunning = false;
    m_playRequested = false;
    if (m_jobs.GetSize() == 0)
        return;
    SetCurrentJob(0);
    m_fileCommands->RefreshRow(0);
}

void CConverterDlg::OnPreviousFile()
{
    if (IsConverting())
        return;
    const int row = m_list->GetSelectionMark();
    if (row > 0 && m_jobs.Contains(row)) {
        SetCurrentJob(row - 1);
        m_fileCommands->RefreshRow(row - 1);
    }
}

void CConverterDlg::OnNextFile()
{
    if (IsConverting())
        return;
    const int row = m_list->GetSelectionMark();
    if (row >= 0 && row < m_jobs.GetSize() - 1) {
        SetCurrentJob(row + 1);
        m_fileCommands->RefreshRow(row + 1);
    }
}

void CConverterDlg::StopPreviewPlayback()
{
    // Whatever was waiting to open may be gone from the list by now.
    m_pendingPreview.reset();
    m_preview->StopConvert();
    m_previewRunning = false;
    MarkPreviewNotPlaying();
}

void CConverterDlg::MarkPreviewNotPlaying()
{
    ShowPlayButton(true);
    m_playRequested = false;
}

} // namespace kelvara
