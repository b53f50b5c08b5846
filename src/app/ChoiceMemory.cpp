// The main dialog's memory of the output choices: read back at start through
// the handlers a user's choice goes through, so every panel shows as it would
// after a click, and kept when the window ends.
#include "app/CConverterDlg.h"

#include "app/RememberedChoices.h"
#include "platform/SettingsStore.h"
#include "skin/CImageTab.h"
#include "skin/CSkinComboBox.h"

#include <array>

namespace kelvara {
namespace {

constexpr std::array<int, 3> kStrips = { control_id::PcTabs, control_id::MobileTabs, control_id::AudioTabs };

int StripOf(OutputCategory category)
{
    return kStrips[static_cast<std::size_t>(category)];
}

// The lists filled only once the window is on the screen (the codecs, which
// ask the FFmpeg libraries) and those a preset or profile fills from the
// lists given back before them.
bool FilledLater(int controlId)
{
    switch (controlId) {
    case control_id::ImageType:
    case control_id::AudioBitrate:
    case control_id::AudioSample:
    case control_id::MpegType:
    case control_id::Profile:
        return false;
    default:
        return true;
    }
}

// A list the panel has locked (a preset's rates, a fixed profile's values)
// keeps what the panel set; an item the list no longer has is ignored.
void ChooseAsUser(CSkinComboBox* combo, const QString& item)
{
    const int position = combo->findText(item);
    if (position < 0 || !combo->isEnabled() || position == combo->currentIndex())
        return;
    combo->SelectByUser(position);
}

} // namespace

void CConverterDlg::RestoreChoices()
{
    if (!m_services.settings)
        return;
    const RememberedChoices choices = ReadRememberedChoices(*m_services.settings);
    if (choices.category) {
        const auto category = static_cast<OutputCategory>(*choices.category);
        SelectOutputCategory(category);
        CImageTab* strip = m_controls->Tab(StripOf(category));
        if (choices.tab && *choices.tab < strip->Count() && *choices.tab != strip->GetCurSel()) {
            strip->Select(*choices.tab);
            OnOutputTabChanged(strip);
        }
    }
    // The device panel shows for the devices and for the video kinds of today.
    const bool deviceShown = CurrentDevice().has_value();
    const auto restore = [this, choices, deviceShown](bool later) {
        for (const ListChoice& choice : choices.lists) {
            if (FilledLater(choice.controlId) == later && (deviceShown || !IsDeviceList(choice.controlId)))
                ChooseAsUser(m_controls->Combo(choice.controlId), choice.item);
        }
    };
    restore(false);
    // Queued: after the codec lists are filled and the presets chosen above
    // have set the lists they lock.
    connect(
        this, &CConverterDlg::FirstPainted, this, [restore] { restore(true); }, Qt::QueuedConnection);
}

void CConverterDlg::SaveChoices() const
{
    if (!m_services.settings)
        return;
    RememberedChoices choices;
    const OutputCategory category = m_output.Category();
    choices.category = static_cast<int>(category);
    if (m_output.Kind(category) >= 0)
        choices.tab = m_output.Kind(category);
    const bool deviceShown = CurrentDevice().has_value();
    for (const RememberedList& list : kRememberedLists) {
        const CSkinComboBox* combo = m_controls->Combo(list.controlId);
        if (combo->currentIndex() >= 0 && (deviceShown || !IsDeviceList(list.controlId)))
            choices.lists.push_back({ list.controlId, combo->currentText() });
    }
    StoreRememberedChoices(*m_services.settings, choices);
}

} // namespace kelvara
