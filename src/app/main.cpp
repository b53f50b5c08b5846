// Kelvara's entry point: the arguments, then the application object.
#include "app/CConverterApp.h"
#include "app/CommandLineFiles.h"
#include "filelist/PathText.h"
#include "naming/OutputNaming.h"

#include <QApplication>
#include <QIcon>
#include <clocale>
#include <cstdio>

// The program's icon at every size the icon theme gets; windows that set no
// icon of their own show it. Q_INIT_RESOURCE must be used outside any namespace.
static QIcon ApplicationIcon()
{
    Q_INIT_RESOURCE(appicon);
    QIcon icon;
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/appicon/%1.png").arg(size), QSize(size, size));
    return icon;
}

int main(int argc, char* argv[])
{
    const kelvara::CommandLineFiles commandLine = kelvara::ParseProgramArguments(argc, argv);
    if (commandLine.showHelp) {
        std::printf("%s\n", kelvara::kUsage);
        return 0;
    }
    // What exists but is not a file, the window refuses with its reason.
    for (const QString& rejected : commandLine.rejected)
        if (!commandLine.notFiles.contains(rejected))
            std::fprintf(
                stderr, "kelvara: not a readable file, skipped: %s\n", kelvara::PathBytes(rejected).c_str());

    QApplication app(argc, argv);
    // The preview's player reads and writes numbers as C text; QApplication
    // has just taken the user's locale for everything.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName("Tarvo");
    QApplication::setApplicationName("Kelvara");
    // Ties the windows to the installed desktop entry (docks find its icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.kelvara.Kelvara"));
    QApplication::setWindowIcon(ApplicationIcon());
    kelvara::CConverterApp converter;
    const int result = converter.InitInstance(commandLine.files + commandLine.notFiles);
    // Intermediate files live only as long as the program that made them.
    kelvara::RemoveIntermediateFilesOfThisProcess(kelvara::IntermediateFolder());
    return result;
}
