#include "PrivateFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

// Six random letters follow; no other program names its folders this way.
constexpr const char* kFolderPrefix = ".kelvara-job-";
constexpr std::size_t kRandomLetters = 6;

bool IsPrivateFolderName(const std::string& name)
{
    const std::string prefix = kFolderPrefix;
    return name.size() == prefix.size() + kRandomLetters && name.starts_with(prefix);
}

// The names of the regular files directly inside `folder` (no links, no folders).
std::vector<std::string> RegularFilesIn(int folder)
{
    std::vector<std::string> names;
    const int walker = ::dup(folder);
    DIR* directory = walker >= 0 ? ::fdopendir(walker) : nullptr;
    if (!directory) {
        if (walker >= 0)
            ::close(walker);
        return names;
    }
    ::rewinddir(directory);
    while (const dirent* entry = ::readdir(directory)) {
        struct stat info { };
        if (::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(entry->d_name);
    }
    ::closedir(directory);
    std::sort(names.begin(), names.end());
    return names;
}

// Removes the regular files inside and then the folder; a folder that still
// holds anything else (which we never write) stays.
void RemoveFolderAndFiles(const std::string& path, int folder)
{
    for (const std::string& name : RegularFilesIn(folder))
        ::unlinkat(folder, name.c_str(), 0);
    ::rmdir(path.c_str());
}

std::string ExtensionOf(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
}

bool NameExists(const std::string& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

PrivateFolder::Created PrivateFolder::Create(const std::string& parent)
{
    std::string pattern = parent + kFolderPrefix + std::string(kRandomLetters, 'X');
    if (!::mkdtemp(pattern.data()))
        return { std::nullopt, "cannot write in the folder '" + parent + "': " + std::strerror(errno) };
    PrivateFolder folder;
    folder.m_path = pattern + "/";
    folder.m_lock = UniqueFd(::open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.m_lock.IsOpen() || ::flock(folder.m_lock.Get(), LOCK_EX | LOCK_NB) != 0) {
        const std::string reason = std::strerror(errno);
        ::rmdir(pattern.c_str());
        return { std::nullopt, "cannot use the folder '" + pattern + "': " + reason };
    }
    return { std::move(folder), {} };
}

PrivateFolder::PrivateFolder(PrivateFolder&& other) noexcept
    : m_path(std::move(other.m_path))
    , m_lock(std::move(other.m_lock))
{
    other.m_path.clear();
}

PrivateFolder& PrivateFolder::operator=(PrivateFolder&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_path = std::move(other.m_path);
        m_lock = std::move(other.m_lock);
        other.m_path.clear();
    }
    return *this;
}

PrivateFolder::~PrivateFolder()
{
    Remove();
}

std::map<std::string, std::string> PrivateFolder::MoveFilesInto(
    const std::string& destination, const std::vector<std::string>& replaceable)
{
    std::map<std::string, std::string> moved;
    if (!m_lock.IsOpen())
        return moved;
    for (const std::string& name : RegularFilesIn(m_lock.Get())) {
        const std::string own = destination + name;
        if (std::find(replaceable.begin(), replaceable.end(), own) != replaceable.end()
            && ::rename((m_path + name).c_str(), own.c_str()) == 0) {
            moved.emplace(m_path + name, own);
            continue;
        }
        const std::string extension = ExtensionOf(name);
        const std::string stem = destination + name.substr(0, name.size() - extension.size());
        // A name that appears between the look and the move is skipped too.
        for (int attempt = 0; attempt < 1000; ++attempt) {
            const std::string target = FirstFreeNumberedName(stem, extension, NameExists);
            if (MoveWithoutReplacing(m_path + name, target)) {
                moved.emplace(m_path + name, target);
                break;
            }
            if (errno != EEXIST)
                break;
        }
    }
    return moved;
}

void PrivateFolder::Remove()
{
    if (!m_lock.IsOpen())
        return;
    RemoveFolderAndFiles(m_path, m_lock.Get());
    m_lock.Close();
    m_path.clear();
}

void RemoveLeftoverPrivateFolders(const std::string& parent)
{
    const UniqueFd folder(::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* directory = folder.IsOpen() ? ::fdopendir(::dup(folder.Get())) : nullptr;
    if (!directory)
        return;
    std::vector<std::string> leftovers;
    while (const dirent* entry = ::readdir(directory)) {
        if (IsPrivateFolderName(entry->d_name))
            leftovers.emplace_back(entry->d_name);
    }
    ::closedir(directory);
    for (const std::string& name : leftovers) {
        const UniqueFd leftover(
            ::openat(folder.Get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        // A folder whose lock is held belongs to a conversion still running.
        if (leftover.IsOpen() && ::flock(leftover.Get(), LOCK_EX | LOCK_NB) == 0)
            RemoveFolderAndFiles(parent + name, leftover.Get());
    }
}

bool MoveWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: a hard link never replaces either.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

} // namespace kelvara
