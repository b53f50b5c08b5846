// "Files at once" in the File menu: Auto, or a number of files up to the
// processor's cores, kept in the user's settings and handed to the batch,
// which reads it before each job starts.
#include "app/BatchParts.h"
#include "app/CConverterDlg.h"

#include "batch/FilesAtOnce.h"
#include "platform/SettingsStore.h"
#include "skin/CSkinButton.h"

#include <QActionGroup>
#include <QMenu>

#include <algorithm>

namespace kelvara {
namespace {

const QString kFilesAtOnceKey = QStringLiteral("Choices/FilesAtOnce");

int StoredFilesAtOnce(const platform::SettingsStore* settings, int cores)
{
    const std::optional<QString> stored = settings ? settings->Read(kFilesAtOnceKey) : std::nullopt;
    bool number = false;
    const int value = stored ? stored->toInt(&number) : kFilesAtOnceAuto;
    return number && value >= kFilesAtOnceAuto && value <= cores ? value : kFilesAtOnceAuto;
}

} // namespace

void CConverterDlg::AttachFilesAtOnceMenu()
{
    const int cores = std::min(UsableCores(), command_id::FilesAtOnceLast - command_id::FilesAtOnceAuto);
    const int setting = StoredFilesAtOnce(m_services.settings, cores);
    m_batch->driver.SetFilesAtOnce(setting);
    QMenu* fileMenu = m_controls->Button(control_id::FileMenu)->Menu();
    QMenu* submenu = fileMenu->addMenu(QStringLiteral("Files at once"));
    submenu->setAccessibleName(QStringLiteral("Files at once"));
    auto* group = new QActionGroup(submenu);
    for (int value = kFilesAtOnceAuto; value <= cores; ++value) {
        QAction* action
            = submenu->addAction(value == kFilesAtOnceAuto ? QStringLiteral("Auto") : QString::number(value));
        action->setCheckable(true);
        action->setChecked(value == setting);
        action->setData(command_id::FilesAtOnceAuto + value);
        group->addAction(action);
    }
}

void CConverterDlg::OnFilesAtOnce(int commandId)
{
    const int value = commandId - command_id::FilesAtOnceAuto;
    m_batch->driver.SetFilesAtOnce(value);
    if (m_services.settings)
        m_services.settings->Write(kFilesAtOnceKey, QString::number(value));
}

} // namespace kelvara
