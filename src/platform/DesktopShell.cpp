#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>

namespace kelvara::platform {

OpenOutcome QDesktopShell::Open(const QUrl& url)
{
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return { false, kOpenFileNotFound };
    if (!QDesktopServices::openUrl(url))
        return { false, kOpenNoAssociation };
    return { true, 0 };
}

std::optional<QString> QFileDialogs::ChooseFolder(QWidget* owner, const QString& startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(
        owner, QString(), startFolder, QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

QStringList QFileDialogs::ChooseFiles(QWidget* owner, const QStringList& filters, const QString& startFolder)
{
    return QFileDialog::getOpenFileNames(owner, QString(), startFolder, filters.join(QStringLiteral(";;")),
        nullptr, QFileDialog::DontUseNativeDialog);
}

} // namespace kelvara::platform
