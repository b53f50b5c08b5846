#include "SourceCheck.h"

#include "PathText.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

// A longer list would not fit on the screen; the rest is counted.
constexpr std::size_t kMostNamesShown = 12;

SourceKind KindOfType(mode_t mode)
{
    if (S_ISREG(mode))
        return SourceKind::File;
    if (S_ISDIR(mode))
        return SourceKind::Folder;
    if (S_ISFIFO(mode))
        return SourceKind::Pipe;
    if (S_ISSOCK(mode))
        return SourceKind::Socket;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return SourceKind::Device;
    return SourceKind::Other;
}

} // namespace

SourceKind KindOfSource(const std::string& path)
{
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0)
        return errno == EACCES ? SourceKind::Unreadable : SourceKind::Missing;
    if (!S_ISREG(status.st_mode))
        return KindOfType(status.st_mode);
    // The name may have been given to a pipe since stat(): the open does
    // not wait for a writer, and the type is read again from what it opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? SourceKind::Missing : SourceKind::Unreadable;
    const bool statted = ::fstat(fd, &status) == 0;
    ::close(fd);
    return statted ? KindOfType(status.st_mode) : SourceKind::Unreadable;
}

QString NotAFileReason(SourceKind kind)
{
    switch (kind) {
    case SourceKind::File:
    case SourceKind::Unreadable:
    case SourceKind::Missing:
        return {};
    case SourceKind::Folder:
        return QStringLiteral("a folder, not a file");
    case SourceKind::Pipe:
        return QStringLiteral("a named pipe (FIFO), not a file");
    case SourceKind::Socket:
        return QStringLiteral("a socket, not a file");
    case SourceKind::Device:
        return QStringLiteral("a device, not a file");
    case SourceKind::Other:
        break;
    }
    return QStringLiteral("not a regular file");
}

SortedSources SortSources(const QStringList& paths)
{
    SortedSources sorted;
    for (const QString& path : paths) {
        const QString reason = NotAFileReason(KindOfSource(PathBytes(path)));
        if (reason.isEmpty())
            sorted.toAdd << path;
        else
            sorted.refused.push_back({ path, reason });
    }
    return sorted;
}

QString RefusalMessage(const std::vector<RefusedSource>& refused)
{
    QString text = QStringLiteral("Only files can be converted. Not added:");
    for (std::size_t i = 0; i < refused.size() && i < kMostNamesShown; ++i)
        text += QStringLiteral("\n%1 is %2").arg(PathForDisplay(refused[i].path), refused[i].reason);
    if (refused.size() > kMostNamesShown)
        text += QStringLiteral("\nand %1 more").arg(refused.size() - kMostNamesShown);
    return text;
}

} // namespace kelvara
