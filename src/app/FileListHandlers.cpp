// The file list's side of the main dialog: the list in its place, its
// commands, and what the list asks of the dialog.
#include "app/AddDialogFolder.h"
#include "app/CConverterDlg.h"

#include "filelist/FileListCommands.h"
#include "filelist/FileListView.h"
#include "options/OptionNumbers.h"
#include "options/OptionSelections.h"
#include "platform/DesktopShell.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinTextField.h"
#include "videoedit/CVideoEdit.h"

#include <QTimer>

namespace kelvara {

void CConverterDlg::BuildFileList()
{
    m_videoEdit = new CVideoEdit(this);
    m_list = new CSkinListCtrl(this);
    m_list->setAccessibleName(QStringLiteral("Source files"));
    m_controls->Replace(control_id::FileList, m_list);
    m_view = std::make_unique<FileListView>(*m_list, m_jobs, *this);
    m_fileCommands
        = std::make_unique<FileListCommands>(m_jobs, *this, *m_view, *m_videoEdit, m_prober, m_numbers, this);
    m_list->AttachScrollBars();
}

void CConverterDlg::WireFileList()
{
    m_fileCommands->ConnectList();
    const auto onClick = [this](int id, void (FileListCommands::*handler)()) {
        connect(m_controls->Button(id), &QAbstractButton::clicked, m_fileCommands.get(), handler);
    };
    onClick(control_id::AddVideo, &FileListCommands::OnAddVideo);
    onClick(control_id::RemoveVideo, &FileListCommands::OnRemoveVideo);
    onClick(control_id::ClearVideo, &FileListCommands::OnClearVideo);
    // Files from the command line wait for the window, so the list grows in
    // front of the user.
    connect(this, &CConverterDlg::FirstPainted, this, &CConverterDlg::AddWaitingFilesWhenIdle);
    // Posted: a refusal may come from inside a drop, which the desktop waits
    // on; the message box shows once the drop has been answered.
    connect(
        m_fileCommands.get(), &FileListCommands::SourcesRefused, this,
        [this](
            const QString& message) { SkinMessageBox(this, message, QString(), box_style::IconExclamation); },
        Qt::QueuedConnection);
}

void CConverterDlg::RedrawRow(int row)
{
    if (m_view)
        m_view->RedrawRow(row);
}

int CConverterDlg::PictureTypePosition() const
{
    return m_controls->Combo(control_id::ImageType)->currentIndex();
}

int CConverterDlg::PspProfilePosition() const
{
    const int position = m_controls->Combo(control_id::Profile)->currentIndex();
    const std::optional<UserProfile> own = UserProfileAt(position);
    return own ? own->basedOn : position;
}

int CConverterDlg::MpegTypePosition() const
{
    return m_controls->Combo(control_id::MpegType)->currentIndex();
}

// A new job starts from what the AVI and MPEG panels show, read as their
// change handlers read them.
JobPanelOptions CConverterDlg::NewJobOptions() const
{
    const OptionSelections& panel = Selections();
    JobPanelOptions options;
    options.aviFrameRate = LeadingDouble(panel.AviFrameRateText());
    options.aviVideoCodec = std::max(0, panel.AviVideoCodecPosition());
    options.aviAudioCodec = std::max(0, panel.AviAudioCodecPosition());
    options.mpegType = panel.MpegTypePosition();
    options.mpegFrameRate = LeadingDouble(panel.MpegFrameRateText());
    options.mpegAudioBitrate = LeadingInt(panel.MpegAudioBitrateText());
    options.mpegAudioRate = LeadingInt(panel.MpegSampleRateText());
    return options;
}

void CConverterDlg::SetFrameSizeFields(const QString& width, const QString& height)
{
    m_controls->Field(control_id::Width)->SetText(width);
    m_controls->Field(control_id::Height)->SetText(height);
}

// The controls a batch locks, no others: the device panel's value lists
// keep the enabling of their profile.
void CConverterDlg::EnableOptionControls()
{
    SetOptionControlsEnabled(true);
}

void CConverterDlg::ShowPreviewPlaceholder(bool placeholder)
{
    m_controls->At(control_id::PreviewPlaceholder)->setVisible(placeholder);
    m_controls->At(control_id::PreviewWindow)->setVisible(!placeholder);
}

QStringList CConverterDlg::ChooseSourceFiles(const QStringList& filters)
{
    return ChooseSourceFilesRemembered(*m_services.folders, *m_services.settings, this, filters);
}

} // namespace kelvara
