// The main window: the skinned dialog that owns the jobs, the output choice
// and every control. Its handlers are split by subsystem: the application
// shell (DialogShell.cpp), the output kinds (OutputKinds.cpp) and the option
// panels (OptionPanels.cpp).
#pragma once

#include "WindowDrag.h"
#include "app/ControlTable.h"
#include "app/ProgramSettings.h"
#include "jobs/JobList.h"
#include "settings/OutputChoice.h"

#include <QPixmap>
#include <QRegion>
#include <QStringList>
#include <QWidget>
#include <memory>

class CImageTab;
class QMenu;
class SoundPlayer;

namespace kelvara {

class CSplashThread;
class CVideoEdit;
class DesktopShell;
class FolderBrowser;
class PreviewPlayer;
class SettingsStore;
class TrimControl;

// The platform pieces the dialog uses; tests hand in fakes.
struct DialogServices {
    SettingsStore* settings = nullptr;
    DesktopShell* shell = nullptr;
    FolderBrowser* folders = nullptr;
    PreviewPlayer* preview = nullptr;
    TrimControl* trim = nullptr;
    SoundPlayer* sound = nullptr;
};

class CConverterDlg : public QWidget {
    Q_OBJECT
public:
    CConverterDlg(const ProgramFolders& folders, const DialogServices& services);
    ~CConverterDlg() override;

    // Builds and skins the controls, resets the output settings and closes
    // the splash (when there is one).
    void OnInitDialog(CSplashThread* splash);

    // Application shell.
    void OnMenuCommand(int commandId);
    void OnAbout();
    void OnHelp();
    void OnHomePage();
    void OnBrowse();
    void OnCloseButton();
    void OnMinimize();

    // Output kinds.
    void SelectOutputCategory(OutputCategory category);
    void OnOutputTabChanged(CImageTab* strip);
    void RefreshOutputPanel();
    void ResetOutputSettings();
    void OnImageTypeChanged();
    void OnSnapshotButton();

    const ControlTable& Controls() const { return *m_controls; }
    const OutputChoice& Output() const { return m_output; }
    JobList& Jobs() { return m_jobs; }
    const ProgramFolders& Folders() const { return m_folders; }
    QString OutputFolderText() const;
    QRegion Outline() const { return m_outline; }
    bool IsConverting() const { return m_converting; }
    void SetConverting(bool converting) { m_converting = converting; }
    // Files named on the command line, waiting for the file list.
    void SetPendingFiles(const QStringList& files) { m_pendingFiles = files; }
    QStringList PendingFiles() const { return m_pendingFiles; }
    // Redraws one row of the file list.
    void RedrawRow(int row);

signals:
    // The first picture of the window is on the screen.
    void FirstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void WireHandlers();
    void WireOutputKinds();
    void SkinControls();
    void AttachMenus();
    void LoadAfterFirstPicture();
    void FillOptionLists();
    void FillCodecLists();
    void ShowFrameSizeEditable(bool editable);
    void ResetAllJobs();
    bool RefuseWhileConverting();

    ProgramFolders m_folders;
    DialogServices m_services;
    std::unique_ptr<ControlTable> m_controls;
    OutputChoice m_output;
    JobList m_jobs;
    QPixmap m_background;
    QRegion m_outline;
    WindowDrag m_drag;
    QStringList m_pendingFiles;
    CVideoEdit* m_videoEdit = nullptr;
    int m_currentJob = -1;
    bool m_converting = false;
    bool m_painted = false;
};

} // namespace kelvara
