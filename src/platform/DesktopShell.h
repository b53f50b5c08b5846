// Opening documents and links with the desktop's handler, and choosing a
// folder. Behind interfaces so tests see what would be opened or asked.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class QWidget;

namespace kelvara::platform {

// The outcome of an open: success, or the reason code of the failure (the
// codes of the hyperlink failure report).
struct OpenOutcome {
    bool opened = false;
    int errorCode = 0;
};

inline constexpr int kOpenFileNotFound = 2;
inline constexpr int kOpenNoAssociation = 31;

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    virtual OpenOutcome Open(const QUrl& url) = 0;
};

// QDesktopServices; a local file that does not exist is reported as not found
// without asking the desktop.
class QDesktopShell : public DesktopShell {
public:
    OpenOutcome Open(const QUrl& url) override;
};

// The folder browser and the open-file dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen folder, or nothing when the user cancels.
    virtual std::optional<QString> ChooseFolder(QWidget* owner, const QString& startFolder) = 0;
    // Several files; `filters` in order ("Description (*.a *.b)"), the first
    // selected; the dialog opens in `startFolder`. Empty when the user cancels.
    virtual QStringList ChooseFiles(QWidget* owner, const QStringList& filters, const QString& startFolder)
        = 0;
};

class QFileDialogs : public FileDialogs {
public:
    std::optional<QString> ChooseFolder(QWidget* owner, const QString& startFolder) override;
    QStringList ChooseFiles(QWidget* owner, const QStringList& filters, const QString& startFolder) override;
};

} // namespace kelvara::platform
