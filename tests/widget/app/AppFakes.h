// Stand-ins for the desktop in the main window's tests, and a dialog set up
// with them.
#pragma once

#include "FakeSettingsStore.h"
#include "FakeSoundPlayer.h"
#include "PreviewFakes.h"
#include "SkinTestSupport.h"
#include "app/CConverterDlg.h"
#include "platform/DesktopShell.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvara::testing {

class FakeDesktopShell : public platform::DesktopShell {
public:
    platform::OpenOutcome Open(const QUrl& url) override
    {
        opened.push_back(url);
        return outcome;
    }
    std::vector<QUrl> opened;
    platform::OpenOutcome outcome { true, 0 };
};

class FakeFileDialogs : public platform::FileDialogs {
public:
    std::optional<QString> ChooseFolder(QWidget*, const QString& startFolder) override
    {
        ++asked;
        startedAt = startFolder;
        return answer;
    }
    QStringList ChooseFiles(QWidget*, const QStringList& filters, const QString& startFolder) override
    {
        offeredFilters = filters;
        filesStartedAt = startFolder;
        return files;
    }
    std::optional<QString> answer;
    QString startedAt;
    int asked = 0;
    QStringList files;
    QStringList offeredFilters;
    QString filesStartedAt;
};

using kelvara::testing::WaitFor;

// Closes the next modal window that appears, and remembers its class name.
inline void CloseNextModal(QString* className)
{
    QTimer::singleShot(50, [className] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            *className = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        } else {
            CloseNextModal(className);
        }
    });
}

// A dialog built on fakes; `Dialog` may be a subclass that records calls.
template <class Dialog = CConverterDlg> struct BasicDialogFixture {
    FakeSettingsStore settings;
    FakeDesktopShell shell;
    FakeFileDialogs folders;
    FakePreviewComponent preview;
    FakeSoundPlayer sound;
    ProgramFolders programFolders { "/opt/kelvara/", "/opt/kelvara/tools/", "/home/ann/", "3.1" };
    std::unique_ptr<Dialog> dialog;

    // `toolDir` names where the device profile files are; the default has
    // none. `batch` carries the batch's power-off, sleep lock and converters,
    // and the desktop's notices.
    explicit BasicDialogFixture(
        const QString& toolDir = QStringLiteral("/opt/kelvara/tools/"), const DialogServices& batch = {})
    {
        programFolders.toolDir = toolDir;
        dialog = std::make_unique<Dialog>(programFolders,
            DialogServices { &settings, &shell, &folders, &preview, &sound, batch.shutdown, batch.sleep,
                batch.converters, batch.notifications });
        dialog->OnInitDialog(nullptr);
    }
};

using DialogFixture = BasicDialogFixture<>;

} // namespace kelvara::testing
