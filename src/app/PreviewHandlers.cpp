// The preview and trim panel's side of the main dialog: the panel in its
// place, its buttons, and what the panel, the file list and the batch ask
// of each other through the dialog.
#include "app/CConverterDlg.h"

#include "app/BatchParts.h"
#include "filelist/FileListCommands.h"
#include "preview/PreviewPanel.h"
#include "skin/CRangeSlider.h"
#include "skin/CSkinButton.h"
#include "videoedit/CVideoEdit.h"

namespace kelvara {

void CConverterDlg::BuildPreview()
{
    PreviewControl& component = m_services.preview ? *m_services.preview : *m_videoEdit;
    m_preview = std::make_unique<PreviewPanel>(component, m_jobs, *this, this);
    m_controls->Replace(control_id::TrimRange, &m_preview->TrimSlider());
}

void CConverterDlg::WirePreviewHandlers()
{
    if (!m_services.preview) {
        // The dialog's own component plays into its window at control 1081.
        QWidget* view = m_videoEdit->CreatePreviewView(this);
        // A click on the picture gives it the preview's keys (Space plays);
        // Tab passes over it to the trim range, which has the same keys.
        view->setFocusPolicy(Qt::ClickFocus);
        m_controls->Replace(control_id::PreviewWindow, view);
        connect(m_videoEdit, &CVideoEdit::PreviewPosition, m_preview.get(), &PreviewPanel::OnPosition);
    }
    const auto onClick = [this](int id, void (PreviewPanel::*handler)()) {
        connect(m_controls->Button(id), &QAbstractButton::clicked, m_preview.get(), handler);
    };
    onClick(control_id::Play, &PreviewPanel::OnPlay);
    onClick(control_id::Pause, &PreviewPanel::OnPause);
    onClick(control_id::PreviewStop, &PreviewPanel::OnStop);
    onClick(control_id::PreviousFile, &PreviewPanel::OnPreviousFile);
    onClick(control_id::NextFile, &PreviewPanel::OnNextFile);
}

void CConverterDlg::OpenPreview(const QString& path, double startSeconds)
{
    m_preview->Open(path, startSeconds);
}

void CConverterDlg::StopPreviewPlayback()
{
    m_preview->StopPlayback();
}

void CConverterDlg::StopPreview()
{
    m_preview->StopPlayback();
}

void CConverterDlg::MarkPreviewNotPlaying()
{
    m_preview->MarkNotPlaying();
}

void CConverterDlg::LoadTrimRange(double durationMs, double startMs, double endMs)
{
    if (m_preview)
        m_preview->LoadTrimRange(durationMs, startMs, endMs);
}

void CConverterDlg::ShowPlayButton(bool play)
{
    m_controls->At(control_id::Play)->setVisible(play);
    m_controls->At(control_id::Pause)->setVisible(!play);
}

void CConverterDlg::GoToRow(int row)
{
    SetCurrentJob(row);
    m_fileCommands->RefreshRow(row);
}

bool CConverterDlg::UpdateJob(
    int index, const JobList::Change& change, std::initializer_list<JobColumn> redraw)
{
    return m_batch->ctx.UpdateJob(index, change, redraw);
}

} // namespace kelvara
