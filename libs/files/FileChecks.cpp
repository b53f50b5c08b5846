#include "FileChecks.h"

#include "process/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace kelvara {

namespace {

// Empty for a regular file.
std::string WhatItIs(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    const char* kind = S_ISFIFO(mode)    ? "a named pipe (FIFO)"
        : S_ISSOCK(mode)                 ? "a socket"
        : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                         : "a special file";
    return std::string("it is ") + kind + ", not a regular file";
}

} // namespace

std::string SourceFileProblem(const std::string& path)
{
    // O_NONBLOCK: opening a FIFO for reading returns at once instead of
    // waiting for a writer; what it is is then asked of the descriptor.
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.IsOpen())
        return "cannot read '" + path + "': " + std::strerror(errno);
    struct stat info { };
    if (::fstat(file.Get(), &info) != 0)
        return "cannot read '" + path + "': " + std::strerror(errno);
    const std::string kind = WhatItIs(info.st_mode);
    return kind.empty() ? std::string() : "cannot read '" + path + "': " + kind;
}

std::string OutputFileProblem(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return {}; // free, or the folder's own problem, which making the output reports
    const std::string kind = WhatItIs(info.st_mode);
    return kind.empty() ? std::string() : "cannot write '" + path + "': " + kind;
}

} // namespace kelvara
