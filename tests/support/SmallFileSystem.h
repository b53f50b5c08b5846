// A file system of its own for a test: a tiny tmpfs that fills up after a
// few kilobytes, or one mounted read-only. Tests run as root, for whom file
// permissions never refuse a write; only a real file system does.
#pragma once

#include <cstddef>
#include <string>

namespace kelvara::testing {

class SmallFileSystem {
public:
    enum class Access { Writable, ReadOnly };

    // Mounts a tmpfs of `bytes` at `folder` (made when missing).
    SmallFileSystem(const std::string& folder, std::size_t bytes, Access access = Access::Writable);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool IsMounted() const { return m_mounted; }
    // Why it could not be mounted.
    const std::string& Reason() const { return m_reason; }
    // The folder, ending in "/".
    std::string Folder() const { return m_folder + "/"; }
    // Every entry in it, hidden ones included.
    std::size_t EntryCount() const;

private:
    std::string m_folder;
    bool m_mounted = false;
    std::string m_reason;
};

} // namespace kelvara::testing
