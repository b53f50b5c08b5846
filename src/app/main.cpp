// Kelvara's entry point: the arguments, then the application object.
#include "app/CConverterApp.h"
#include "app/CommandLineFiles.h"
#include "commands/OutputNaming.h"

#include <QApplication>
#include <QIcon>
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
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const kelvara::CommandLineFiles commandLine = kelvara::ParseCommandLine(arguments);
    if (commandLine.showHelp) {
        std::printf("%s\n", kelvara::kUsage);
        return 0;
    }
    for (const QString& rejected : commandLine.rejected)
        std::fprintf(
            stderr, "kelvara: not a readable file, skipped: %s\n", rejected.toLocal8Bit().constData());

    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarvo");
    QApplication::setApplicationName("Kelvara");
    // Ties the windows to the installed desktop entry (docks find its icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.kelvara.Kelvara"));
    QApplication::setWindowIcon(ApplicationIcon());
    kelvara::CConverterApp converter;
    const int result = converter.InitInstance(commandLine.files);
    // Intermediate files live only as long as the program that made them.
    kelvara::RemoveIntermediateFilesOfThisProcess(kelvara::IntermediateFolder());
    return result;
}
