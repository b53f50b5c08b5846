// Stand-ins for the desktop in the main window's tests, and a dialog set up
// with them.
#pragma once

#include "FakeSettingsStore.h"
#include "FakeSoundPlayer.h"
#include "SkinTestSupport.h"
#include "app/CConverterDlg.h"
#include "platform/DesktopShell.h"
#include "videoedit/PreviewControl.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kelvara::test {

class FakeDesktopShell : public DesktopShell {
public:
    OpenOutcome Open(const QUrl& url) override
    {
        opened.push_back(url);
        return outcome;
    }
    std::vector<QUrl> opened;
    OpenOutcome outcome { true, 0 };
};

class FakeFileDialogs : public FileDialogs {
public:
    std::optional<QString> ChooseFolder(QWidget*, const QString& startFolder) override
    {
        ++asked;
        startedAt = startFolder;
        return answer;
    }
    QStringList ChooseFiles(QWidget*, const QStringList& filters) override
    {
        offeredFilters = filters;
        return files;
    }
    std::optional<QString> answer;
    QString startedAt;
    int asked = 0;
    QStringList files;
    QStringList offeredFilters;
};

// The video-editing component as the preview sees it: every call written
// down in order, with its arguments; durations by path.
class FakePreviewComponent : public PreviewControl {
public:
    double GetFileDuration(const std::string& path) override
    {
        Record("GetFileDuration(" + path + ")");
        const auto found = durations.find(path);
        return found == durations.end() ? 0.0 : found->second;
    }
    void SetOutputDepth(std::int16_t depth) override { Record("OutputDepth=" + std::to_string(depth)); }
    bool AddClip(const std::string& path, double start, double end) override
    {
        Record("AddClip(" + path + "," + Number(start) + "," + Number(end) + ")");
        return true;
    }
    bool AddClipEx(const std::string& path, double start, double end, std::int16_t flag) override
    {
        Record(
            "AddClipEx(" + path + "," + Number(start) + "," + Number(end) + "," + std::to_string(flag) + ")");
        return true;
    }
    void ClearClips() override { Record("ClearClips"); }
    void StopConvert() override { Record("StopConvert"); }
    bool StartPlay() override
    {
        Record("StartPlay");
        return true;
    }
    void PausePlay() override { Record("PausePlay"); }

    static std::string Number(double value)
    {
        std::ostringstream text;
        text << value;
        return text.str();
    }
    void Record(std::string call) { calls.push_back(std::move(call)); }
    std::vector<std::string> TakeCalls() { return std::exchange(calls, {}); }

    std::map<std::string, double> durations;
    std::vector<std::string> calls;
};

using SkinTest::WaitFor;

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

} // namespace kelvara::test
