#include "app/CommandLineFiles.h"

#include <QFileInfo>

namespace kelvara {

CommandLineFiles ParseCommandLine(const QStringList& arguments)
{
    CommandLineFiles result;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.showHelp = true;
            continue;
        }
        const QFileInfo info(argument);
        if (info.isFile() && info.isReadable())
            result.files << info.absoluteFilePath();
        else
            result.rejected << argument;
    }
    return result;
}

} // namespace kelvara
