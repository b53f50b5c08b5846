#include "app/CommandLineFiles.h"

#include "filelist/PathText.h"
#include "filelist/SourceCheck.h"

#include <QDir>

#include <climits>
#include <unistd.h>

namespace kelvara {

namespace {

// QDir::currentPath() would lose the bytes of a folder name that is not UTF-8.
QString AbsolutePath(const QString& path)
{
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    char folder[PATH_MAX];
    if (!::getcwd(folder, sizeof folder))
        return QDir::cleanPath(path);
    return QDir::cleanPath(PathFromBytes(folder) + QLatin1Char('/') + path);
}

} // namespace

QString VersionLine()
{
    return QStringLiteral("kelvara " KELVARA_VERSION);
}

CommandLineFiles ParseCommandLine(const QStringList& arguments)
{
    CommandLineFiles result;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded) {
            if (argument == QLatin1String("--")) {
                optionsEnded = true;
                continue;
            }
            if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
                result.showHelp = true;
                continue;
            }
            if (argument == QLatin1String("--version")) {
                result.showVersion = true;
                continue;
            }
            // "-" alone and "-x" stay names: a file manager passes paths
            // only, and older starts took them as files.
            if (argument.startsWith(QLatin1String("--"))) {
                if (result.unknownOption.isEmpty())
                    result.unknownOption = argument;
                continue;
            }
        }
        const QString path = AbsolutePath(argument);
        const SourceKind kind = KindOfSource(PathBytes(path));
        if (kind == SourceKind::File) {
            result.files << path;
            continue;
        }
        result.rejected << path;
        if (!NotAFileReason(kind).isEmpty())
            result.notFiles << path;
    }
    return result;
}

CommandLineFiles ParseProgramArguments(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << PathFromBytes(argv[i]);
    return ParseCommandLine(arguments);
}

} // namespace kelvara
