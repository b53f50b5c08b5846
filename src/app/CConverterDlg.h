// The main window: the skinned dialog that owns the jobs, the output choice
// and every control. Its handlers are split by subsystem: the application
// shell (DialogShell.cpp), the file list (FileListHandlers.cpp), the output
// kinds (OutputKinds.cpp), the option panels (OptionPanels.cpp), the batch
// run (BatchHandlers.cpp), the preview and trim panel it hosts
// (PreviewHandlers.cpp) and the keyboard (KeyboardHandlers.cpp).
#pragma once

#include "app/ControlTable.h"
#include "app/ProgramSettings.h"
#include "app/WindowShortcuts.h"
#include "batch/BatchHost.h"
#include "conversions/DeviceConversions.h"
#include "filelist/FileListHost.h"
#include "filelist/RowActions.h"
#include "filelist/SourceProbing.h"
#include "jobs/JobList.h"
#include "jobs/RandomNumbers.h"
#include "options/OutputChoice.h"
#include "options/UserProfiles.h"
#include "preview/PreviewPanelHost.h"
#include "skin/WindowDrag.h"

#include <QPixmap>
#include <QRegion>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

class QMenu;

namespace kelvara {
namespace platform {
class SoundPlayer;
}
class CImageTab;

class CSplashThread;
class CSkinTextField;
class DialogOptionSelections;
class OptionSelections;
class ProfileIni;
class CSkinListCtrl;
class CVideoEdit;
class FileListCommands;
class FileListView;
namespace platform {
class DesktopShell;
}
namespace platform {
class FileDialogs;
}
class PreviewControl;
class PreviewPanel;
namespace platform {
class SettingsStore;
}
class BatchConverters;
struct ConversionContext;
struct BatchParts;
namespace platform {
class DesktopNotifications;
class ShutdownService;
class SleepInhibitor;
}

// The platform pieces the dialog uses; tests hand in fakes.
struct DialogServices {
    platform::SettingsStore* settings = nullptr;
    platform::DesktopShell* shell = nullptr;
    platform::FileDialogs* folders = nullptr;
    // The component the preview talks to; empty: the dialog's own
    // video-editing component, playing into its window.
    PreviewControl* preview = nullptr;
    platform::SoundPlayer* sound = nullptr;
    // Empty slots: no power-off, no sleep lock, the program's converters.
    platform::ShutdownService* shutdown = nullptr;
    platform::SleepInhibitor* sleep = nullptr;
    BatchConverters* converters = nullptr;
    // Empty slot: no desktop notices.
    platform::DesktopNotifications* notifications = nullptr;
};

class CConverterDlg : public QWidget, public FileListHost, public BatchHost, public PreviewPanelHost {
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
    void OnImageTypeChanged();
    void OnSnapshotButton();
    // Moves the shown kind strip `step` tabs on, going round, as a press on
    // that tab would.
    void StepKindTab(int step);

    // A key of the window (KeyboardHandlers.cpp), given to the handler of
    // the button or menu item it stands for.
    void OnWindowCommand(WindowCommand command);
    // True, with the reason shown, when a batch has turned the button off.
    bool RefusedWithItsReason(int buttonId);

    // Option panels (AVI, MPEG, frame size).
    void OnAviMpegOptionChanged(int controlId);
    void OnAviCodecChanged();
    void OnMpegTypeChanged();
    void ApplyMpegType(bool updateJob);
    void SetMpegPresetLock(bool lock);
    void OnFrameSizeKey(CSkinTextField* field);
    void OnWidthChanged();
    void OnHeightChanged();
    void OnWidthUp();
    void OnWidthDown();
    void OnHeightUp();
    void OnHeightDown();
    void OnOriginalSize();
    void OnCustomSize();
    bool UseOriginalSize() const { return m_useOriginalSize; }
    // What the converters read of the panels, answered from the controls.
    const OptionSelections& Selections() const;

    // The preview player and the trim range.
    PreviewPanel& Preview() { return *m_preview; }

    // Device panel.
    void ListDeviceProfiles();
    void LoadDeviceProfile(int index);
    void SetDeviceCombosEnabled(bool enabled);
    void OnProfileChanged();
    // The device panel's profile and value positions, for the converters.
    DeviceChoice CurrentDeviceChoice() const;
    // The user's own profiles (UserProfileHandlers.cpp): the profile shown
    // saved under a name, the chosen one deleted, a file imported.
    void OnSaveProfileAs();
    void OnDeleteProfile();
    void OnImportProfile();

    // "Use the graphics card" (GraphicsCardOption.cpp): the card encoders
    // that passed their trial at start; the box shows for a kind they serve.
    void SetGraphicsCardEncoders(std::vector<UsableEncoder> encoders);
    void ShowGraphicsCardOption();
    void OnGraphicsCardToggled();
    // What the device conversions run on: the card's encoders while the box
    // is shown and checked, else none.
    std::vector<UsableEncoder> ChosenGraphicsCard() const;

    const ControlTable& Controls() const { return *m_controls; }
    const OutputChoice& Output() const { return m_output; }
    JobList& Jobs() { return m_jobs; }
    const ProgramFolders& Folders() const { return m_folders; }
    QString OutputFolderText() const;
    QRegion Outline() const { return m_outline; }
    // Makes the dialog behave as during a batch without running one, for
    // tests of what a batch refuses.
    void SetConverting(bool converting) { m_refuseAsIfConverting = converting; }
    // Files named on the command line: added as the Add command adds them,
    // once the window is on the screen.
    void AddFilesWhenShown(const QStringList& files) { m_pendingFiles = files; }
    // Files from a later start of the program: the window comes forward and
    // adds them, once a running batch has ended (IncomingFiles.cpp).
    void AddIncomingFiles(const QStringList& files);
    // The kind, tab and option lists of the last session (ChoiceMemory.cpp).
    void RestoreChoices();
    void SaveChoices() const;
    // Redraws one row of the file list.
    void RedrawRow(int row);
    FileListCommands& FileCommands() { return *m_fileCommands; }
    CSkinListCtrl& FileList() { return *m_list; }

    // What the file list needs of the dialog.
    bool IsConverting() const override;
    OutputKind SelectedOutputKind() const override { return m_output.Current(); }
    int PictureTypePosition() const override;
    int PspProfilePosition() const override;
    int MpegTypePosition() const override;
    JobPanelOptions NewJobOptions() const override;
    int CurrentJob() const override;
    void SetCurrentJob(int index) override;
    void ShowJobOptions(const JobRecord& job) override;
    void SetFrameSizeFields(const QString& width, const QString& height) override;
    void EnableOptionControls() override;
    void ResetOutputSettings() override;
    void PostMpegPreset() override;
    void OpenPreview(const QString& path, double startSeconds) override;
    void StopPreviewPlayback() override;
    void MarkPreviewNotPlaying() override;
    void ShowPreviewPlaceholder(bool placeholder) override;
    void LoadTrimRange(double durationMs, double startMs, double endMs) override;
    QStringList ChooseSourceFiles(const QStringList& filters) override;

    // The batch run: START and STOP, and what the batch needs of the dialog.
    void OnStart();
    void OnStop();
    // The state the batch shares with the converters.
    ConversionContext& BatchContext();
    std::string OutputFolderFieldText() const override;
    void ShowOutputFolder(const std::string& folder) override;
    void SetOptionControlsEnabled(bool enable) override;
    void ShowConvertingButtons(bool converting) override;
    void StopPreview() override;
    void SelectRow(int row) override;
    void EnsureRowVisible(int row) override;
    void ShowOptionsOfJob(int row) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool ShutdownWhenFinished() const override;
    bool ConfirmShutdownCountdown() override;
    // Tells the desktop how the batch ended, when the window is not the
    // active one.
    void AnnounceOnDesktop(const std::string& text, const std::string& title) override;

    // What the preview and trim panel needs of the dialog.
    int SelectedRow() const override;
    bool UpdateJob(
        int index, const JobList::Change& change, std::initializer_list<JobColumn> redraw) override;
    void ShowPlayButton(bool play) override;
    void GoToRow(int row) override;

    // The file list's context menu (DesktopHandlers.cpp): the menu of a
    // row, and its commands.
    std::unique_ptr<QMenu> MakeRowMenu(int row);
    void OnRowContextMenu(int row, QPoint globalPos);
    void RunRowCommand(RowCommand command, int row);

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
    void WireOptionHandlers();
    void StepFrameSize(int fieldId, bool up);
    std::optional<DeviceKind> CurrentDevice() const;
    ProfileIni OpenDeviceProfiles(DeviceKind device) const;
    void ListDeviceProfiles(const ProfileIni& ini, DeviceKind device);
    void LoadDeviceProfile(const ProfileIni& ini, DeviceKind device, int index);
    void ReportRefusedProfiles(const ProfileIni& ini);
    void ShowDevicePanel();
    // The user's profile at `index` of the profile list; nothing for a
    // shipped one.
    std::optional<UserProfile> UserProfileAt(int index) const;
    std::vector<std::string> ShippedProfileTitles(DeviceKind device) const;
    ProfileToSave ProfileShown(DeviceKind device) const;
    void ShowUserProfile(DeviceKind device, const std::string& path);
    bool RefusedDuringBatch();
    void BuildFileList();
    void WireFileList();
    void BuildPreview();
    void WirePreviewHandlers();
    void BuildBatch();
    void WireBatchHandlers();
    void WireDesktopHandlers();
    void WireShortcuts();
    void SetTabOrder();
    void OnPlayOutput(int row);
    void OnOpenOutputFolder(int row);
    void SkinControls();
    void AttachMenus();
    void AttachFilesAtOnceMenu();
    void OnFilesAtOnce(int commandId);
    void LoadAfterFirstPicture();
    void FillOptionLists();
    void FillCodecLists();
    void ShowFrameSizeEditable(bool editable);
    // The width and height fields and the two size marks as the kind, the
    // MPEG type and the size mode allow.
    void ShowFrameSizeMode();
    void ResetAllJobs();
    bool RefuseWhileConverting();
    void AddWaitingFilesWhenIdle();

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
    CSkinListCtrl* m_list = nullptr;
    LibavSourceProber m_prober;
    RandomNumbers m_numbers;
    std::unique_ptr<FileListView> m_view;
    std::unique_ptr<FileListCommands> m_fileCommands;
    std::unique_ptr<DialogOptionSelections> m_selections;
    // Built on the file list's view and the selections; goes before them.
    std::unique_ptr<BatchParts> m_batch;
    // Built on the jobs and the video-editing component.
    std::unique_ptr<PreviewPanel> m_preview;
    // The profile list holds the shipped profiles, then the user's own.
    int m_shippedProfileCount = 0;
    std::vector<UserProfile> m_userProfiles;
    std::vector<UsableEncoder> m_graphicsCard;
    bool m_useOriginalSize = false;
    bool m_refuseAsIfConverting = false;
    bool m_painted = false;
};

} // namespace kelvara
