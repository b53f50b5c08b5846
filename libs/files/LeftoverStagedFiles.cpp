#include "LeftoverStagedFiles.h"

#include "StagedFileName.h"
#include "process/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace kelvara {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

bool IsUnheldLeftover(int folderFd, const char* name, const UniqueFd& file)
{
    struct stat opened { };
    struct stat named { };
    // Held by a running writer, or replaced by another file since we opened it.
    return ::fstat(file.Get(), &opened) == 0 && S_ISREG(opened.st_mode)
        && ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0
        && ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

} // namespace

int RemoveLeftoverStagedFiles(const std::string& folder)
{
    const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!directory)
        return 0;
    const int folderFd = ::dirfd(directory.get());
    int removed = 0;
    while (const dirent* entry = ::readdir(directory.get())) {
        if (!IsStagedFileName(entry->d_name))
            continue;
        // O_NONBLOCK: a FIFO of that name must not hold us; O_NOFOLLOW: a
        // link of that name points at someone else's file.
        const UniqueFd file(
            ::openat(folderFd, entry->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
        if (!file.IsOpen() || !IsUnheldLeftover(folderFd, entry->d_name, file))
            continue;
        // Removed while we hold the lock, as a pending output is.
        if (::unlinkat(folderFd, entry->d_name, 0) == 0)
            ++removed;
    }
    return removed;
}

} // namespace kelvara
