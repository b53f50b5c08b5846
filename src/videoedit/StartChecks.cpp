#include "StartChecks.h"

#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr const char* kFfmpegVariable = "TARVO_FFMPEG";

bool IsExecutableFile(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

ConvertStart CannotRead(const std::string& path, int error)
{
    return ConvertStart::Refused(
        ConvertRefusal::SourceUnreadable, "cannot read '" + path + "': " + std::strerror(error));
}

} // namespace

std::optional<ConvertStart> CheckSource(const std::string& path)
{
    if (path.empty())
        return CannotRead(path, ENOENT);
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0)
        return CannotRead(path, errno);
    struct stat info { };
    const bool regular = ::fstat(file, &info) == 0 && S_ISREG(info.st_mode);
    ::close(file);
    if (!regular)
        return CannotRead(path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    return std::nullopt;
}

std::optional<ConvertStart> CheckOutput(const std::string& outputPath)
{
    const std::string folder = FolderOf(outputPath);
    struct stat info { };
    const bool found = ::stat(folder.c_str(), &info) == 0;
    if (!found || !S_ISDIR(info.st_mode)) {
        const int error = found ? ENOTDIR : errno;
        return ConvertStart::Refused(ConvertRefusal::OutputFolderMissing,
            "cannot write in the output folder '" + folder + "': " + std::strerror(error));
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return ConvertStart::Refused(ConvertRefusal::OutputFolderReadOnly,
            "cannot write in the output folder '" + folder + "': " + std::strerror(errno));
    if (outputPath.back() == '/' || (::stat(outputPath.c_str(), &info) == 0 && !S_ISREG(info.st_mode)))
        return ConvertStart::Refused(ConvertRefusal::OutputFolderReadOnly,
            "cannot write '" + outputPath + "': " + std::strerror(EISDIR));
    return std::nullopt;
}

std::optional<std::string> FindFfmpeg()
{
    if (const char* chosen = std::getenv(kFfmpegVariable); chosen && *chosen) {
        if (IsExecutableFile(chosen))
            return std::string(chosen);
        return std::nullopt;
    }
    const QString found = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (found.isEmpty())
        return std::nullopt;
    return found.toStdString();
}

} // namespace kelvara
