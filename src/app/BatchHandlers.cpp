// The batch run's side of the main dialog: START and STOP, and what the
// batch asks of the dialog while it converts.
#include "app/CConverterDlg.h"

#include "app/BatchParts.h"
#include "app/DialogOptionSelections.h"
#include "filelist/FileListView.h"
#include "filelist/PathText.h"
#include "options/MpegPresets.h"
#include "options/PanelVisibility.h"
#include "platform/SoundPlayer.h"
#include "skin/CCountdownMessageBox.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinTextField.h"
#include "skin/DisabledReason.h"
#include "videoedit/CVideoEdit.h"

#include <QMenu>
#include <algorithm>

namespace kelvara {
namespace {

int MessageBoxType(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return box_style::IconHand;
    case MessageIcon::Warning:
        return box_style::IconExclamation;
    case MessageIcon::None:
        break;
    }
    return 0;
}

// The commands a batch refuses, by their button, with the File menu's
// command for the same thing (0: none).
struct RefusedCommand {
    int controlId;
    int menuCommand;
};
constexpr RefusedCommand kRefusedWhileConverting[] = {
    { control_id::AddVideo, command_id::AddVideo },
    { control_id::RemoveVideo, command_id::RemoveVideo },
    { control_id::ClearVideo, command_id::ClearVideo },
    { control_id::Browse, 0 },
};

const QString& NotWhileConverting()
{
    static const QString reason = QStringLiteral("Not available while converting");
    return reason;
}

} // namespace

void CConverterDlg::BuildBatch()
{
    platform::SoundPlayer& sound = m_services.sound ? *m_services.sound : platform::DefaultSoundPlayer();
    const BatchServices services { sound, m_services.shutdown, m_services.sleep, m_services.converters };
    m_batch = std::make_unique<BatchParts>(
        m_jobs, *m_view, WithTrailingSlash(m_folders.toolDir).toStdString(), *m_videoEdit, *m_selections,
        [this] { return CurrentDeviceChoice(); }, m_numbers, *this, services);
}

// Direct connections: the batch runs inside START's handler, and STOP
// arrives while the converters service the window.
void CConverterDlg::WireBatchHandlers()
{
    connect(m_controls->Button(control_id::Start), &QAbstractButton::clicked, this, &CConverterDlg::OnStart);
    connect(m_controls->Button(control_id::Stop), &QAbstractButton::clicked, this, &CConverterDlg::OnStop);
    connect(m_videoEdit, &CVideoEdit::ConvertComplete, this, [this] { m_batch->conv.OnVideoEditComplete(); });
    connect(m_videoEdit, &CVideoEdit::ConvertProgress, this,
        [this](double position, double total) { m_batch->conv.OnVideoEditProgress(position, total); });
}

void CConverterDlg::OnStart()
{
    m_batch->driver.OnStart();
    // Files handed over by a later start of the program waited for the end.
    AddWaitingFilesWhenIdle();
}

void CConverterDlg::OnStop()
{
    m_batch->driver.OnStop();
}

ConversionContext& CConverterDlg::BatchContext()
{
    return m_batch->ctx;
}

bool CConverterDlg::IsConverting() const
{
    return m_refuseAsIfConverting || (m_batch && m_batch->driver.Converting());
}

int CConverterDlg::CurrentJob() const
{
    return m_batch ? m_batch->ctx.currentJob : -1;
}

void CConverterDlg::SetCurrentJob(int index)
{
    m_batch->ctx.currentJob = index;
}

std::string CConverterDlg::OutputFolderFieldText() const
{
    return PathBytes(OutputFolderText());
}

// Every control the batch locked comes back, also those of panels hidden now
// (the batch may end on another kind than the one the user goes back to);
// the MPEG preset, the kind and the "Original" size mode keep their own locks.
void CConverterDlg::SetOptionControlsEnabled(bool enable)
{
    m_controls->Enable(kBatchLockedControls, enable);
    if (!enable)
        return;
    const std::optional<MpegPreset> preset = MpegPresetFor(MpegTypePosition());
    for (const int id :
        { control_id::MpegFrameRate, control_id::MpegAudioBitrate, control_id::MpegAudioRate })
        m_controls->Combo(id)->EnableWindow(preset && !preset->lock);
    ShowFrameSizeMode();
}

// The list's commands and the folder browser, which a batch refuses, show
// themselves disabled and say why.
void CConverterDlg::ShowConvertingButtons(bool converting)
{
    m_controls->At(control_id::Start)->setVisible(!converting);
    m_controls->At(control_id::Stop)->setVisible(converting);
    const QString reason = converting ? NotWhileConverting() : QString();
    for (const RefusedCommand& refused : kRefusedWhileConverting)
        SetDisabledReason(m_controls->At(refused.controlId), reason);
    // The File menu's items for the same commands, greyed, with the reason
    // as their tooltip; an empty tooltip is the item's text again.
    QMenu* menu = m_controls->Button(control_id::FileMenu)->Menu();
    if (!menu)
        return;
    menu->setToolTipsVisible(converting);
    for (QAction* action : menu->actions()) {
        const int command = action->data().toInt();
        const auto* refused
            = std::ranges::find(kRefusedWhileConverting, command, &RefusedCommand::menuCommand);
        if (command == 0 || refused == std::end(kRefusedWhileConverting))
            continue;
        action->setEnabled(!converting);
        action->setToolTip(reason);
    }
}

void CConverterDlg::SelectRow(int row)
{
    m_list->SetSelectionMark(row);
    m_list->SelectRow(row);
    m_list->setFocus();
}

void CConverterDlg::EnsureRowVisible(int row)
{
    m_list->scrollTo(m_list->model()->index(row, 0));
}

void CConverterDlg::ShowOptionsOfJob(int row)
{
    if (row < 0 || row >= m_jobs.GetSize())
        return;
    const JobRecord job = m_jobs.GetAt(row);
    if (job.outputWidth > 0 && job.outputHeight > 0)
        SetFrameSizeFields(QString::number(job.outputWidth), QString::number(job.outputHeight));
    else
        SetFrameSizeFields(QString(), QString());
    ShowJobOptions(job);
}

void CConverterDlg::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon)
{
    SkinMessageBox(this, QString::fromStdString(text), QString::fromStdString(title), MessageBoxType(icon));
}

bool CConverterDlg::ShutdownWhenFinished() const
{
    return m_controls->Button(control_id::ShutdownWhenFinished)->GetCheck();
}

bool CConverterDlg::ConfirmShutdownCountdown()
{
    return RunShutdownCountdown(this);
}

void CConverterDlg::ShowOutputFolder(const std::string& folder)
{
    m_controls->Field(control_id::OutputFolder)->SetText(PathFromBytes(folder));
}

} // namespace kelvara
