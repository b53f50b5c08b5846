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

CommandLineFiles ParseCommandLine(const QStringList& arguments)
{
    CommandLineFiles result;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.showHelp = true;
            continue;
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
