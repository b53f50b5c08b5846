#include "app/CConverterApp.h"

#include "CSplashDlg.h"
#include "SkinAccessibility.h"
#include "SkinPalette.h"
#include "app/CConverterDlg.h"
#include "platform/TerminationSignals.h"
#include "platform/TimerProbe.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

namespace kelvara {

int CConverterApp::InitInstance(const QStringList& files)
{
    InstallSkinAccessibility();
    LoadSkinPalette();
    const ProgramFolders folders
        = ReadProgramFolders(m_settings, QCoreApplication::applicationDirPath(), QDir::homePath());
    CSplashThread splash;
    splash.Show(folders.version);
    QDir::setCurrent(folders.toolDir);

    const DialogServices services { &m_settings, &m_shell, &m_fileDialogs, &m_preview, nullptr,
        &m_shutdown, &m_sleep, nullptr, &m_notifications };
    CConverterDlg dialog(folders, services);
    dialog.OnInitDialog(&splash);
    dialog.AddFilesWhenShown(files);
    QDir::setCurrent(folders.programDir);
    // For the start-up benchmark: end as soon as the first picture is shown.
    if (qEnvironmentVariableIsSet("KELVARA_QUIT_WHEN_PAINTED"))
        QObject::connect(
            &dialog, &CConverterDlg::FirstPainted, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    // Ended by a signal: a running batch stops as STOP stops it (its partial
    // and intermediate files go), then the program ends in order.
    const platform::TerminationSignals watcher([&dialog](int) {
        if (dialog.IsConverting())
            dialog.OnStop();
        QCoreApplication::quit();
    });
    // For the responsiveness benchmark: KELVARA_TIMER_PROBE=FILE.
    const std::unique_ptr<platform::TimerProbe> probe = platform::TimerProbe::FromEnvironment();
    dialog.show();
    return QApplication::exec();
}

} // namespace kelvara
