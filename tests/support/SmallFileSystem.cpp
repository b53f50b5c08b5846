#include "support/SmallFileSystem.h"

#include "support/FileContents.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/mount.h>

namespace kelvara::testing {

SmallFileSystem::SmallFileSystem(const std::string& folder, std::size_t bytes, Access access)
    : m_folder(folder)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    const unsigned long flags = access == Access::ReadOnly ? MS_RDONLY : 0;
    if (::mount("tmpfs", folder.c_str(), "tmpfs", flags, options.c_str()) == 0)
        m_mounted = true;
    else
        m_reason = "cannot mount a tmpfs at " + folder + ": " + std::strerror(errno);
}

SmallFileSystem::~SmallFileSystem()
{
    if (m_mounted)
        ::umount2(m_folder.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove(m_folder, ignored);
}

std::size_t SmallFileSystem::EntryCount() const
{
    return EntriesIn(m_folder);
}

} // namespace kelvara::testing
