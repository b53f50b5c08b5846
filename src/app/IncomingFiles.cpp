// Files handed to the running window by a later start of the program (the
// desktop's "Open with" while Kelvara runs): the window comes to the front
// and the files join the list as the Add command adds them.
#include "app/CConverterDlg.h"

#include "filelist/FileListCommands.h"

#include <utility>

namespace kelvara {

void CConverterDlg::AddIncomingFiles(const QStringList& files)
{
    // Raised and activated: Qt asks the window manager through
    // _NET_ACTIVE_WINDOW, which is how a program brings itself forward.
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    m_pendingFiles += files;
    // Before the first picture the window adds the waiting files itself.
    if (m_painted)
        AddWaitingFilesWhenIdle();
}

void CConverterDlg::AddWaitingFilesWhenIdle()
{
    // During a batch the files wait: START's handler calls again when the
    // batch has ended.
    if (m_pendingFiles.isEmpty() || IsConverting())
        return;
    m_fileCommands->AddSources(std::exchange(m_pendingFiles, {}));
}

} // namespace kelvara
