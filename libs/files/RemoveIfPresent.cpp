#include "RemoveIfPresent.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

int RemoveIfPresent(const std::string& path)
{
    if (path.empty())
        return 0;
    struct stat info { };
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? EISDIR : EPERM;
    // unlink() never removes a folder nor follows a link, should the path
    // have changed since the look.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

} // namespace kelvara
