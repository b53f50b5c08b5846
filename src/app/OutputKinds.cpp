// The output kind handlers of the main dialog: the category menu, the three
// tab strips, the settings panel's visibility and the snapshot button.
#include "app/CConverterDlg.h"

#include "options/OutputCatalogue.h"
#include "options/PanelVisibility.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinGroupBox.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinTextField.h"

#include <algorithm>
#include <array>

namespace kelvara {
namespace {

constexpr std::array<int, 3> kStrips = { control_id::PcTabs, control_id::MobileTabs, control_id::AudioTabs };
const QColor kGreyText(128, 128, 128);

int StripOf(OutputCategory category)
{
    return kStrips[static_cast<std::size_t>(category)];
}

QString Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void CConverterDlg::SelectOutputCategory(OutputCategory category)
{
    for (const int strip : kStrips)
        m_controls->At(strip)->setVisible(strip == StripOf(category));
    m_output.SelectCategory(category);
    m_controls->Tab(StripOf(category))->Select(0);
    RefreshOutputPanel();
}

void CConverterDlg::OnOutputTabChanged(CImageTab*)
{
    if (IsConverting())
        return;
    m_output.SetCurrentKind(m_controls->Tab(StripOf(m_output.Category()))->GetCurSel());
    RefreshOutputPanel();
    ResetAllJobs();
}

void CConverterDlg::StepKindTab(int step)
{
    CImageTab* strip = m_controls->Tab(StripOf(m_output.Category()));
    const int tab = SteppedTab(strip->GetCurSel(), strip->Count(), step);
    // What a press on the tab does: the strip shows it and tells the
    // dialog, which takes the kind unless a batch runs.
    strip->ChooseTab(tab);
}

void CConverterDlg::RefreshOutputPanel()
{
    const OutputKind kind = m_output.Current();
    TellListStateWindow();
    ShowDevicePanel();
    if (kind.category == OutputCategory::Audio)
        m_controls->Label(control_id::AudioDescription)->SetWindowText(Text(AudioDescription(kind.kind)));
    const std::vector<int> shown = panel::ShownControls(kind);
    for (const int id : panel::PanelControls())
        m_controls->At(id)->setVisible(std::ranges::find(shown, id) != shown.end());
    ShowFrameSizeMode();
    ShowGraphicsCardOption();
    // The selected row's size as this kind converts it.
    ShowOptionsOfJob(SelectedRow());
    if (kind.Is(PcKind::Avi) || kind.Is(PcKind::Mpeg)) {
        CSkinGroupBox* videoFormat = m_controls->Group(control_id::VideoFormatGroup);
        videoFormat->SetCaption(QStringLiteral("Video Format"));
        videoFormat->setGeometry(345, 334, 191, 79);
        m_controls->At(control_id::AudioFormatGroup)->show();
    }
    ResetAllJobs();
}

// Only the look: the size mode the builders use changes through the two
// radio buttons themselves.
void CConverterDlg::ShowFrameSizeEditable(bool editable)
{
    for (const int id : panel::kFrameSizeFields) {
        CSkinTextField* field = m_controls->Field(id);
        field->EnableWindow(editable);
        field->SetTextColour(editable ? QColor(Qt::black) : kGreyText);
    }
    m_controls->Button(control_id::Original)->SetCheck(!editable);
    m_controls->Button(control_id::Custom)->SetCheck(editable);
}

void CConverterDlg::ResetOutputSettings()
{
    m_controls->At(control_id::PreviewWindow)->hide();
    m_controls->At(control_id::PreviewPlaceholder)->show();
    m_output.Reset();
    m_controls->Tab(control_id::PcTabs)->Select(0);
    for (const int strip : kStrips)
        m_controls->At(strip)->setVisible(strip == control_id::PcTabs);
    RefreshOutputPanel();
    for (const int id : { control_id::ImageType, control_id::AudioBitrate, control_id::AudioSample })
        m_controls->Combo(id)->SetCurSel(0);
    LoadTrimRange(100.0, 0.0, 100.0);
    m_controls->Label(control_id::AudioDescription)->SetWindowText(Text(kAudioStartDescription));
    m_controls->Label(control_id::ImageDescription)->SetWindowText(Text(PictureTypes()[0].description));
}

void CConverterDlg::OnImageTypeChanged()
{
    const int item = m_controls->Combo(control_id::ImageType)->currentIndex();
    const auto types = PictureTypes();
    if (item >= 0 && item < static_cast<int>(types.size()))
        m_controls->Label(control_id::ImageDescription)
            ->SetWindowText(Text(types[static_cast<std::size_t>(item)].description));
    ResetAllJobs();
}

void CConverterDlg::OnSnapshotButton()
{
    for (const int strip : kStrips)
        m_controls->At(strip)->setVisible(strip == control_id::PcTabs);
    m_controls->Tab(control_id::PcTabs)->Select(static_cast<int>(PcKind::Image));
    m_controls->Tab(control_id::MobileTabs)->Select(0);
    m_controls->Tab(control_id::AudioTabs)->Select(0);
    m_output.SelectSnapshot();
    RefreshOutputPanel();
    ResetAllJobs();
}

void CConverterDlg::ResetAllJobs()
{
    for (int row = 0; row < m_jobs.GetSize(); ++row) {
        m_jobs.ResetProgress(row);
        RedrawRow(row);
    }
}

} // namespace kelvara
