// What desktop users expect of the main dialog beyond its own controls: the
// file list's context menu and its Delete key, files and folders dropped on
// the list, and a desktop notice when a batch ends while the user works in
// another window.
#include "app/CConverterDlg.h"

#include "filelist/FileListCommands.h"
#include "filelist/PathText.h"
#include "platform/DesktopNotifications.h"
#include "platform/DesktopShell.h"
#include "skin/CSkinListCtrl.h"
#include "skin/CSkinMessageBox.h"

#include <QFileInfo>
#include <QMenu>
#include <QUrl>

namespace kelvara {

// Drops and the Delete key reach the list's commands through ConnectList();
// the row menu is the dialog's, since it opens files on the desktop.
void CConverterDlg::WireDesktopHandlers()
{
    connect(m_list, &CSkinListCtrl::RowContextMenu, this,
        [this](CSkinListCtrl*, int row, QPoint globalPos) { OnRowContextMenu(row, globalPos); });
}

std::unique_ptr<QMenu> CConverterDlg::MakeRowMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    const JobRecord job = m_jobs.GetAt(row);
    // Named for its row, so that a screen reader says which file it is for.
    menu->setAccessibleName(QFileInfo(PathFromBytes(job.sourcePath)).fileName());
    for (const RowMenuEntry& entry : RowMenuEntries(job, IsConverting(), OutputFolderText())) {
        QAction* action = menu->addAction(entry.caption);
        action->setData(static_cast<int>(entry.command));
        action->setEnabled(entry.enabled);
        if (entry.command == RowCommand::Remove)
            ShowKey(*action, WindowCommand::RemoveVideo);
    }
    return menu;
}

void CConverterDlg::OnRowContextMenu(int row, QPoint globalPos)
{
    if (!m_jobs.Contains(row))
        return;
    const std::unique_ptr<QMenu> menu = MakeRowMenu(row);
    const QAction* chosen = menu->exec(globalPos);
    // The menu serviced the window: the batch or the list may have changed,
    // so the command checks the row and the batch again.
    if (chosen)
        RunRowCommand(static_cast<RowCommand>(chosen->data().toInt()), row);
}

void CConverterDlg::RunRowCommand(RowCommand command, int row)
{
    if (!m_jobs.Contains(row))
        return;
    switch (command) {
    case RowCommand::PlayOutput:
        return OnPlayOutput(row);
    case RowCommand::OpenOutputFolder:
        return OnOpenOutputFolder(row);
    case RowCommand::ShowFailureReason:
        if (m_jobs.GetAt(row).failed)
            SkinMessageBox(this, FailureReport(m_jobs.GetAt(row)), QStringLiteral("Failure Reason"),
                box_style::IconHand);
        return;
    case RowCommand::Remove:
        // The Remove command takes the selection mark, which the right
        // click has set to this row.
        return m_fileCommands->OnRemoveVideo();
    }
}

void CConverterDlg::OnPlayOutput(int row)
{
    const QString output = OutputFileOnDisk(m_jobs.GetAt(row));
    if (output.isEmpty())
        return;
    if (!m_services.shell->Open(QUrl::fromLocalFile(output)).opened)
        SkinMessageBox(this, QStringLiteral("No program of the desktop can play\n%1").arg(output), QString(),
            box_style::IconExclamation);
}

void CConverterDlg::OnOpenOutputFolder(int row)
{
    const QString folder = FolderToOpen(m_jobs.GetAt(row), OutputFolderText());
    if (folder.isEmpty())
        return;
    if (!m_services.shell->Open(QUrl::fromLocalFile(folder)).opened)
        SkinMessageBox(this, QStringLiteral("The desktop cannot open the folder\n%1").arg(folder), QString(),
            box_style::IconExclamation);
}

void CConverterDlg::AnnounceOnDesktop(const std::string& text, const std::string& title)
{
    if (!m_services.notifications || isActiveWindow())
        return;
    const QString summary = title.empty() ? QStringLiteral("Kelvara") : QString::fromStdString(title);
    // Nothing to do when it fails: the message box follows anyway.
    m_services.notifications->Notify(summary, QString::fromStdString(text));
}

} // namespace kelvara
