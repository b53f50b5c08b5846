#include "platform/RegularFileRead.h"

#include "process/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara::platform {

namespace {

RegularFileRead Failed(FileReadFailure failure, int error = 0)
{
    RegularFileRead result;
    result.failure = failure;
    result.error = error;
    return result;
}

} // namespace

RegularFileRead ReadRegularFile(const std::string& path, std::size_t maxBytes)
{
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.IsOpen())
        return Failed(
            errno == ENOENT || errno == ENOTDIR ? FileReadFailure::Missing : FileReadFailure::Unreadable,
            errno);
    struct stat status { };
    if (::fstat(file.Get(), &status) != 0)
        return Failed(FileReadFailure::Unreadable, errno);
    if (!S_ISREG(status.st_mode))
        return Failed(FileReadFailure::NotRegular);
    if (static_cast<unsigned long long>(status.st_size) > maxBytes)
        return Failed(FileReadFailure::TooLarge);
    // The file may grow between fstat and the reads: the reads stop as soon
    // as they pass the limit.
    RegularFileRead result;
    result.bytes.reserve(static_cast<std::size_t>(status.st_size));
    char chunk[65536];
    while (true) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failed(FileReadFailure::Unreadable, errno);
        if (got == 0)
            return result;
        if (static_cast<std::size_t>(got) > maxBytes - result.bytes.size())
            return Failed(FileReadFailure::TooLarge);
        result.bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace kelvara::platform
