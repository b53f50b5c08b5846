// The saved file list's side of the main dialog: the list and the output
// choice come back at start, and every change of them afterwards reaches the
// keeper, which writes the file off the GUI thread.
#include "app/CConverterDlg.h"

#include "app/RememberedChoices.h"
#include "filelist/FileListView.h"
#include "liststate/ListRestore.h"
#include "liststate/ListStateFile.h"
#include "liststate/ListStateKeeper.h"
#include "platform/SettingsStore.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinMessageBox.h"
#include "skin/CSkinTextField.h"

namespace kelvara {
namespace {

RememberedChoices ToRemembered(const liststate::WindowChoices& window)
{
    RememberedChoices choices;
    if (window.category >= 0)
        choices.category = window.category;
    if (window.tab >= 0)
        choices.tab = window.tab;
    for (const auto& [control, item] : window.lists)
        choices.lists.push_back({ control, QString::fromStdString(item) });
    return choices;
}

QString SetAsideMessage(const QString& keptAs)
{
    return QStringLiteral("The saved file list could not be read.\nIt was kept as %1.\n"
                          "Kelvara starts with an empty list.")
        .arg(keptAs);
}

} // namespace

liststate::WindowChoices CConverterDlg::ListStateWindow() const
{
    liststate::WindowChoices window;
    const OutputCategory category = m_output.Category();
    window.category = static_cast<int>(category);
    window.tab = m_output.Kind(category);
    const bool deviceShown = CurrentDevice().has_value();
    for (const RememberedList& list : kRememberedLists) {
        const CSkinComboBox* combo = m_controls->Combo(list.controlId);
        if (combo->currentIndex() >= 0 && (deviceShown || !IsDeviceList(list.controlId)))
            window.lists.emplace_back(list.controlId, combo->currentText().toStdString());
    }
    window.outputFolder = OutputFolderFieldText();
    return window;
}

void CConverterDlg::RestoreChoicesAndList()
{
    if (m_services.listState.isEmpty()) {
        RestoreChoices();
        return;
    }
    liststate::ReadList read = liststate::ReadListFile(m_services.listState);
    using Outcome = liststate::ReadList::Outcome;
    // The saved list's choices are newer than the settings' after a crash:
    // given back through the settings, as a close would have left them.
    if (read.outcome == Outcome::Read && m_services.settings && read.list.window.category >= 0)
        StoreRememberedChoices(*m_services.settings, ToRemembered(read.list.window));
    RestoreChoices();
    // The output folder is stored for the clean-up of an interrupted run
    // only: the field shows the folder last chosen in the browser, as a
    // typed folder is never kept.
    if (read.outcome == Outcome::Read) {
        for (JobRecord& job : liststate::RestoreList(read.list).jobs)
            m_jobs.Add(job);
        m_view->SyncItemCount();
    } else if (read.outcome == Outcome::SetAside) {
        const QString message = SetAsideMessage(read.keptAs);
        connect(
            this, &CConverterDlg::FirstPainted, this,
            [this, message] { SkinMessageBox(this, message, QString(), box_style::IconExclamation); },
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    }
    m_listState = std::make_unique<liststate::ListStateKeeper>(
        m_services.listState, m_jobs, [this] { return ListStateWindow(); });
    WireListStateHandlers();
}

void CConverterDlg::WireListStateHandlers()
{
    const auto changed = [this] { m_listState->WindowChanged(); };
    for (const RememberedList& list : kRememberedLists)
        connect(m_controls->Combo(list.controlId), &CSkinComboBox::SelChange, this, changed);
    connect(m_controls->Field(control_id::OutputFolder), &CSkinTextField::EditUpdate, this, changed);
}

// The kind's tab or category changed: RefreshOutputPanel tells.
void CConverterDlg::TellListStateWindow()
{
    if (m_listState)
        m_listState->WindowChanged();
}

void CConverterDlg::SaveListNow()
{
    if (m_listState)
        m_listState->SaveNow();
}

} // namespace kelvara
