// The handlers of the AVI, MPEG and frame-size controls. A change is stored
// in the selected job only (the row with the list's selection mark); the
// combos themselves are what the converters read when they run.
#include "app/CConverterDlg.h"

#include "app/DialogOptionSelections.h"
#include "filelist/FileListCommands.h"
#include "options/FrameSizeSteps.h"
#include "options/MpegPresets.h"
#include "options/OptionNumbers.h"
#include "options/PanelVisibility.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinTextField.h"

#include <QMetaObject>

namespace kelvara {
namespace {

const QColor kGreyText(128, 128, 128);

// What the handlers read of the size fields: a fixed text buffer's worth.
constexpr std::size_t kSizeTextLimit = 255;
constexpr std::size_t kKeyTextLimit = 127;

int FieldNumber(const CSkinTextField* field, std::size_t limit)
{
    return LeadingInt(field->GetText().toStdString(), limit);
}

std::string ComboText(const CSkinComboBox* combo)
{
    return combo->currentText().toStdString();
}

} // namespace

void CConverterDlg::WireOptionHandlers()
{
    m_selections
        = std::make_unique<DialogOptionSelections>(*m_controls, [this] { return m_useOriginalSize; });
    const auto onChange = [this](int id, auto handler) {
        connect(m_controls->Combo(id), &CSkinComboBox::SelChange, this, handler);
    };
    for (const int id : { control_id::AviFrameRate, control_id::AviSoundCodec, control_id::MpegFrameRate,
             control_id::MpegAudioBitrate, control_id::MpegAudioRate })
        onChange(id, [this, id] { OnAviMpegOptionChanged(id); });
    onChange(control_id::AviCodec, [this] { OnAviCodecChanged(); });
    onChange(control_id::MpegType, [this] { OnMpegTypeChanged(); });
    onChange(control_id::Profile, [this] { OnProfileChanged(); });
    for (const int id : { control_id::Width, control_id::Height })
        connect(m_controls->Field(id), &CSkinTextField::TextFieldKey, this, &CConverterDlg::OnFrameSizeKey);
    const auto onClick = [this](int id, void (CConverterDlg::*handler)()) {
        connect(m_controls->Button(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(control_id::SaveProfileAs, &CConverterDlg::OnSaveProfileAs);
    onClick(control_id::DeleteProfile, &CConverterDlg::OnDeleteProfile);
    onClick(control_id::WidthUp, &CConverterDlg::OnWidthUp);
    onClick(control_id::WidthDown, &CConverterDlg::OnWidthDown);
    onClick(control_id::HeightUp, &CConverterDlg::OnHeightUp);
    onClick(control_id::HeightDown, &CConverterDlg::OnHeightDown);
    onClick(control_id::Original, &CConverterDlg::OnOriginalSize);
    onClick(control_id::Custom, &CConverterDlg::OnCustomSize);
}

const OptionSelections& CConverterDlg::Selections() const
{
    return *m_selections;
}

int CConverterDlg::SelectedRow() const
{
    const int row = m_list->GetSelectionMark();
    return m_jobs.Contains(row) ? row : -1;
}

void CConverterDlg::OnAviMpegOptionChanged(int controlId)
{
    if (IsConverting())
        return;
    const std::string text = ComboText(m_controls->Combo(controlId));
    const int position = m_controls->Combo(controlId)->currentIndex();
    UpdateJob(SelectedRow(),
        [&](JobRecord& job) {
            switch (controlId) {
            case control_id::AviFrameRate:
                job.aviFrameRate = LeadingDouble(text);
                break;
            case control_id::AviSoundCodec:
                job.aviAudioCodec = position;
                break;
            case control_id::MpegFrameRate:
                job.mpegFrameRate = LeadingDouble(text);
                break;
            case control_id::MpegAudioBitrate:
                job.mpegAudioBitrate = LeadingInt(text);
                break;
            case control_id::MpegAudioRate:
                job.mpegAudioRate = LeadingInt(text);
                break;
            default:
                break;
            }
        },
        {});
}

void CConverterDlg::OnAviCodecChanged()
{
    if (IsConverting())
        return;
    const int position = m_controls->Combo(control_id::AviCodec)->currentIndex();
    UpdateJob(SelectedRow(), [&](JobRecord& job) { job.aviVideoCodec = position; }, {});
}

// Posted, so the combo's own work is done before the preset moves the others.
void CConverterDlg::OnMpegTypeChanged()
{
    if (IsConverting())
        return;
    QMetaObject::invokeMethod(
        this, [this] { ApplyMpegType(true); }, Qt::QueuedConnection);
}

void CConverterDlg::PostMpegPreset()
{
    QMetaObject::invokeMethod(
        this, [this] { ApplyMpegType(true); }, Qt::QueuedConnection);
}

void CConverterDlg::ApplyMpegType(bool updateJob)
{
    const int type = m_controls->Combo(control_id::MpegType)->currentIndex();
    const std::optional<MpegPreset> preset = MpegPresetFor(type);
    if (preset) {
        m_controls->Combo(control_id::MpegFrameRate)->SetCurSel(preset->frameRateItem);
        m_controls->Combo(control_id::MpegAudioBitrate)->SetCurSel(preset->audioBitrateItem);
        m_controls->Combo(control_id::MpegAudioRate)->SetCurSel(preset->audioRateItem);
        if (preset->size)
            m_fileCommands->ShowFrameSize(preset->size->width, preset->size->height);
    }
    SetMpegPresetLock(!preset || preset->lock);
    if (!updateJob)
        return;
    const std::string frameRate = ComboText(m_controls->Combo(control_id::MpegFrameRate));
    const std::string bitrate = ComboText(m_controls->Combo(control_id::MpegAudioBitrate));
    const std::string rate = ComboText(m_controls->Combo(control_id::MpegAudioRate));
    const int width = FieldNumber(m_controls->Field(control_id::Width), kSizeTextLimit);
    const int height = FieldNumber(m_controls->Field(control_id::Height), kSizeTextLimit);
    UpdateJob(SelectedRow(),
        [&](JobRecord& job) {
            job.mpegType = type;
            job.mpegFrameRate = LeadingDouble(frameRate);
            job.mpegAudioBitrate = LeadingInt(bitrate);
            job.mpegAudioRate = LeadingInt(rate);
            job.outputWidth = width;
            job.outputHeight = height;
        },
        { JobColumn::FrameSize });
}

// The AVI and MPEG lists keep their selections from row to row: the
// converters read them, so what they show is what every job gets. A row
// shows only its frame size, as the conversion will take it: a disc type's
// own size, or the source's while "Original" is in force.
void CConverterDlg::ShowJobOptions(const JobRecord& job)
{
    if (m_output.Current().Is(PcKind::Mpeg)) {
        const std::optional<MpegPreset> preset = MpegPresetFor(MpegTypePosition());
        if (preset && preset->size) {
            m_fileCommands->ShowFrameSize(preset->size->width, preset->size->height);
            return;
        }
    }
    if (m_useOriginalSize)
        m_fileCommands->ShowFrameSize(job.sourceWidth, job.sourceHeight);
}

void CConverterDlg::SetMpegPresetLock(bool lock)
{
    for (const int id :
        { control_id::MpegFrameRate, control_id::MpegAudioBitrate, control_id::MpegAudioRate })
        m_controls->Combo(id)->EnableWindow(!lock);
    ShowFrameSizeEditable(!lock && !m_useOriginalSize);
}

// "Custom" is checked exactly when the user types the size: the kind and the
// MPEG type leave it free and "Original" is not in force.
void CConverterDlg::ShowFrameSizeMode()
{
    ShowFrameSizeEditable(
        panel::FrameSizeEditable(m_output.Current(), MpegTypePosition()) && !m_useOriginalSize);
}

void CConverterDlg::OnFrameSizeKey(CSkinTextField* field)
{
    // Typing reaches the selected job even during a batch, as keys always did.
    const int number = FieldNumber(field, kKeyTextLimit);
    const bool isWidth = field == m_controls->Field(control_id::Width);
    if (!isWidth && field != m_controls->Field(control_id::Height))
        return;
    UpdateJob(SelectedRow(), [&](JobRecord& job) { (isWidth ? job.outputWidth : job.outputHeight) = number; },
        { JobColumn::FrameSize });
}

void CConverterDlg::OnWidthChanged()
{
    if (IsConverting())
        return;
    const int number = FieldNumber(m_controls->Field(control_id::Width), kSizeTextLimit);
    UpdateJob(SelectedRow(), [&](JobRecord& job) { job.outputWidth = number; }, { JobColumn::FrameSize });
}

void CConverterDlg::OnHeightChanged()
{
    if (IsConverting())
        return;
    const int number = FieldNumber(m_controls->Field(control_id::Height), kSizeTextLimit);
    UpdateJob(SelectedRow(), [&](JobRecord& job) { job.outputHeight = number; }, { JobColumn::FrameSize });
}

void CConverterDlg::StepFrameSize(int fieldId, bool up)
{
    if (m_useOriginalSize || IsConverting() || m_controls->Button(control_id::Original)->GetCheck())
        return;
    CSkinTextField* field = m_controls->Field(fieldId);
    const int number = FieldNumber(field, kSizeTextLimit);
    const std::optional<int> stepped = up ? FrameSizeStepUp(number) : FrameSizeStepDown(number);
    if (!stepped)
        return;
    field->SetText(QString::number(*stepped));
    if (fieldId == control_id::Width)
        OnWidthChanged();
    else
        OnHeightChanged();
}

void CConverterDlg::OnWidthUp()
{
    StepFrameSize(control_id::Width, true);
}

void CConverterDlg::OnWidthDown()
{
    StepFrameSize(control_id::Width, false);
}

void CConverterDlg::OnHeightUp()
{
    StepFrameSize(control_id::Height, true);
}

void CConverterDlg::OnHeightDown()
{
    StepFrameSize(control_id::Height, false);
}

// The button has already toggled its own mark; a refusal puts the marks
// back as the size mode is.
void CConverterDlg::OnOriginalSize()
{
    if (m_jobs.GetSize() == 0 || IsConverting()) {
        ShowFrameSizeMode();
        return;
    }
    const JobRecord current = m_jobs.GetAt(CurrentJob());
    m_fileCommands->ShowFrameSize(current.sourceWidth, current.sourceHeight);
    const int width = FieldNumber(m_controls->Field(control_id::Width), kSizeTextLimit);
    const int height = FieldNumber(m_controls->Field(control_id::Height), kSizeTextLimit);
    UpdateJob(SelectedRow(),
        [&](JobRecord& job) {
            job.outputWidth = width;
            job.outputHeight = height;
        },
        { JobColumn::FrameSize });
    m_useOriginalSize = true;
    ShowFrameSizeMode();
    // A disc type's own size still wins over the source's.
    ShowJobOptions(current);
}

// Refused while a disc type fixes the size (the panel's type: that is the
// one every job is converted with) and during a batch, which converts every
// job with the size mode it started with.
void CConverterDlg::OnCustomSize()
{
    if (!IsConverting() && panel::FrameSizeEditable(m_output.Current(), MpegTypePosition())) {
        m_useOriginalSize = false;
        // The row's own size again: the one it is now converted with.
        ShowOptionsOfJob(SelectedRow());
    }
    ShowFrameSizeMode();
}

} // namespace kelvara
