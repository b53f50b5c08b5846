// Kelvara's entry point: the arguments, then the application object.
#include "app/CConverterApp.h"
#include "app/CommandLineFiles.h"
#include "app/DisplayCheck.h"
#include "cli/HeadlessRun.h"
#include "filelist/PathText.h"
#include "naming/OutputNaming.h"
#include "platform/SessionInstance.h"
#include "platform/StartupTrace.h"

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>

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

namespace {

// Usage errors end with status 2, as the shell's own tools do.
constexpr int kUsageStatus = 2;
constexpr int kNoDisplayStatus = 1;

QList<QByteArray> PathsAsBytes(const QStringList& paths)
{
    QList<QByteArray> bytes;
    for (const QString& path : paths)
        bytes << QByteArray::fromStdString(kelvara::PathBytes(path));
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    // The batch without a window: no display, no session bus, no skin.
    if (argc > 1 && std::strcmp(argv[1], "--convert") == 0)
        return kelvara::cli::RunConvert(argc, argv);
    const kelvara::CommandLineFiles commandLine = kelvara::ParseProgramArguments(argc, argv);
    if (!commandLine.unknownOption.isEmpty()) {
        std::fprintf(stderr, "kelvara: unknown option %s\n%s\n", qPrintable(commandLine.unknownOption),
            kelvara::kUsage);
        return kUsageStatus;
    }
    if (commandLine.showHelp) {
        std::printf("%s\n", kelvara::kUsage);
        return 0;
    }
    if (commandLine.showVersion) {
        std::printf("%s\n", qPrintable(kelvara::VersionLine()));
        return 0;
    }
    // What exists but is not a file, the window refuses with its reason.
    for (const QString& rejected : commandLine.rejected)
        if (!commandLine.notFiles.contains(rejected))
            std::fprintf(
                stderr, "kelvara: not a readable file, skipped: %s\n", kelvara::PathBytes(rejected).c_str());
    const std::optional<QString> noDisplay
        = kelvara::MissingDisplayReason([](const char* name) { return qgetenv(name); });
    if (noDisplay) {
        std::fprintf(stderr, "%s\n", qPrintable(kelvara::DisplayFailureLine(*noDisplay)));
        return kNoDisplayStatus;
    }

    auto displayGuard = std::make_unique<kelvara::DisplayFailureGuard>();
    QApplication app(argc, argv);
    displayGuard.reset();
    kelvara::platform::StartupMark("application made");
    // The preview's player reads and writes numbers as C text; QApplication
    // has just taken the user's locale for everything.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName("Tarvo");
    QApplication::setApplicationName("Kelvara");
    // Ties the windows to the installed desktop entry (docks find its icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.kelvara.Kelvara"));

    // One window per session: a start while Kelvara runs hands its files over.
    const QStringList files = commandLine.files + commandLine.notFiles;
    kelvara::platform::SessionInstance session(QDBusConnection::sessionBus());
    const auto role = session.ClaimOrHandOver(PathsAsBytes(files));
    if (role == kelvara::platform::SessionInstance::Role::HandedOver)
        return 0;
    kelvara::platform::StartupMark("session claimed");

    kelvara::CConverterApp converter;
    // The icon of the windows that set none, drawn at seven sizes for the
    // window manager: the main window and the splash set their own, and the
    // first picture need not wait for it.
    const int result = converter.InitInstance(files,
        role == kelvara::platform::SessionInstance::Role::First ? &session : nullptr,
        [] { QApplication::setWindowIcon(ApplicationIcon()); });
    // Intermediate files live only as long as the program that made them.
    kelvara::RemoveIntermediateFilesOfThisProcess(kelvara::IntermediateFolder());
    return result;
}
