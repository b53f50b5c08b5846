#include "StartChecks.h"

#include "ffmpeg/FfmpegProgram.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

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
    FfmpegProgram ffmpeg = WhichFfmpeg();
    if (!ffmpeg.found.Found())
        return std::nullopt;
    return std::move(ffmpeg.found.path);
}

} // namespace kelvara
