#include "app/CConverterApp.h"

#include "app/CConverterDlg.h"
#include "app/EndingOnSignal.h"
#include "app/HardwareDetectionAtStart.h"
#include "app/MissingEncoder.h"
#include "filelist/PathText.h"
#include "liststate/ListStateFile.h"
#include "platform/ChildrenLeft.h"
#include "platform/SessionInstance.h"
#include "platform/StartupTrace.h"
#include "platform/TerminationSignals.h"
#include "platform/TimerProbe.h"
#include "skin/CSplashDlg.h"
#include "skin/SkinAccessibility.h"
#include "skin/SkinPalette.h"
#include "skin/SkinResourceIds.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

namespace kelvara {
namespace {

// A box or menu open when the program is told to end would keep everything
// beneath it waiting in its own loop. Closing answers it as Cancel would.
void CloseOpenBoxes()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() && window->isModal())
            window->close();
    }
}

} // namespace

int CConverterApp::InitInstance(const QStringList& files, platform::SessionInstance* session,
    const std::function<void()>& afterFirstPicture)
{
    InstallSkinAccessibility();
    LoadSkinPalette();
    // The splash picture is decoded on another core while the splash window
    // is made and mapped; the largest pictures of the main window, needed
    // once its controls are made, meanwhile too.
    DecodeSkinImagesAhead({ skin_id::Splash, skin_id::MainBackground, skin_id::PreviewPlaceholder });
    const ProgramFolders folders
        = ReadProgramFolders(m_settings, QCoreApplication::applicationDirPath(), QDir::homePath());
    CSplashThread splash;
    splash.Show(folders.version);
    platform::StartupMark("splash shown");
    QDir::setCurrent(folders.toolDir);

    // The preview plays in the dialog's own video-editing component.
    const DialogServices services { &m_settings, &m_shell, &m_fileDialogs, nullptr, nullptr, &m_shutdown,
        &m_sleep, nullptr, &m_notifications, liststate::DefaultListStatePath() };
    CConverterDlg dialog(folders, services);
    dialog.OnInitDialog(&splash);
    platform::StartupMark("main window built");
    // For the start-up benchmark: end as soon as the first picture is shown,
    // as its yardstick does, before anything that waits for the first picture
    // starts and without the ending's clean-up, which is no part of a start.
    if (qEnvironmentVariableIsSet("KELVARA_QUIT_WHEN_PAINTED"))
        QObject::connect(&dialog, &CConverterDlg::FirstPainted, [] { std::_Exit(0); });
    if (afterFirstPicture)
        QObject::connect(&dialog, &CConverterDlg::FirstPainted, afterFirstPicture);
    dialog.AddFilesWhenShown(files);
    TellMissingEncoderWhenShown(dialog);
    HardwareDetectionAtStart hardware(dialog);
    QDir::setCurrent(folders.programDir);
    // Ended by a signal: a running batch stops as STOP stops it, and the
    // program ends once it has unwound, without the questions of a Close:
    // exit, not quit, which first asks every window to close, and the dialog
    // answers that during a batch with a box.
    EndingOnSignal ending({ [&dialog] { return dialog.IsConverting(); }, [&dialog] { dialog.OnStop(); },
        CloseOpenBoxes, platform::AnyChildProcessLeft, [](int status) { QCoreApplication::exit(status); } });
    const platform::TerminationSignals watcher(
        [&ending](int signalNumber) { ending.OnSignal(signalNumber); });
    // For the responsiveness benchmark: KELVARA_TIMER_PROBE=FILE.
    const std::unique_ptr<platform::TimerProbe> probe = platform::TimerProbe::FromEnvironment();
    if (session)
        session->SetReceiver([&dialog](const QList<QByteArray>& paths) {
            QStringList handed;
            for (const QByteArray& path : paths)
                handed << PathFromBytes(
                    std::string_view(path.constData(), static_cast<std::size_t>(path.size())));
            dialog.AddIncomingFiles(handed);
        });
    dialog.show();
    const int status = QApplication::exec();
    if (session)
        session->Release();
    dialog.SaveChoices();
    return status;
}

} // namespace kelvara
