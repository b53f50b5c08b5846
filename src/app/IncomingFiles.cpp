// Files handed to the running window by a later start of the program (the
// desktop's "Open with" while Kelvara runs): the window comes to the front
// and the files join the list as the Add command adds them.
#include "app/CConverterDlg.h"

#include "filelist/FileListCommands.h"

#include <QTimer>
#include <chrono>
#include <utility>

namespace kelvara {
namespace {

// The batch runs inside START's handler and says nothing when it ends; the
// waiting files look again this often, which a person does not notice.
constexpr std::chrono::milliseconds kBatchEndCheck { 250 };

} // namespace

void CConverterDlg::AddIncomingFiles(const QStringList& files)
{
    // Raised and activated: Qt asks the window manager through
    // _NET_ACTIVE_WINDOW, which is how a program brings itself forward.
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    const bool alreadyWaiting = !m_pendingFiles.isEmpty();
    m_pendingFiles += files;
    // Before the first picture the window adds the waiting files itself;
    // files already waiting have a check of their own running.
    if (m_painted && !alreadyWaiting)
        AddWaitingFilesWhenIdle();
}

void CConverterDlg::AddWaitingFilesWhenIdle()
{
    if (m_pendingFiles.isEmpty())
        return;
    if (IsConverting()) {
        QTimer::singleShot(kBatchEndCheck, this, &CConverterDlg::AddWaitingFilesWhenIdle);
        return;
    }
    m_fileCommands->AddSources(std::exchange(m_pendingFiles, {}));
}

} // namespace kelvara
