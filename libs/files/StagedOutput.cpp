#include "StagedOutput.h"

#include "StagedFileName.h"
#include "process/Expect.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr int kNameAttempts = 64;

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The extension with its dot, from the file name only ("a.b/c" has none).
std::string ExtensionOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot);
}

std::string FolderForMessage(const std::string& folder)
{
    return folder.empty() ? std::string("./") : folder;
}

bool NameStillHolds(int fd, const std::string& path)
{
    struct stat opened { };
    struct stat named { };
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

// A new hidden file of our pattern, locked while we hold it, so that
// RemoveLeftoverStagedFiles of another run leaves it alone. Sets errno on failure.
UniqueFd CreateHiddenFile(const std::string& folder, const std::string& extension, std::string& name)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = NewStagedFileName(extension);
        const std::string path = folder + name;
        // 0666 before the umask, as any new output file gets.
        UniqueFd file(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!file.IsOpen()) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        // A cleanup that took the lock between the open and ours removes the
        // name before it lets go: wait for it, then see whether the name is
        // still ours. A file system without locks still gets its output.
        ::flock(file.Get(), LOCK_EX);
        if (NameStillHolds(file.Get(), path))
            return file;
    }
    errno = EEXIST;
    return {};
}

} // namespace

StagedOutput::Created StagedOutput::Create(const std::string& finalPath, StagingMethod preferred)
{
    StagedOutput staged;
    staged.m_finalPath = finalPath;
    staged.m_folder = FolderOf(finalPath);
    staged.m_extension = ExtensionOf(finalPath);
    if (preferred == StagingMethod::UnnamedFile) {
        const std::string folder = staged.m_folder.empty() ? "." : staged.m_folder;
        staged.m_file = UniqueFd(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
        if (staged.m_file.IsOpen()) {
            staged.m_method = StagingMethod::UnnamedFile;
            return { std::move(staged), {} };
        }
        // Whatever the reason (a file system without unnamed files, or a
        // folder we cannot write in), the hidden name works or says why.
    }
    staged.m_method = StagingMethod::HiddenName;
    staged.m_file = CreateHiddenFile(staged.m_folder, staged.m_extension, staged.m_temporaryName);
    if (!staged.m_file.IsOpen())
        return { std::nullopt,
            "cannot write in the folder '" + FolderForMessage(staged.m_folder)
                + "': " + std::strerror(errno) };
    staged.m_temporaryPath = staged.m_folder + staged.m_temporaryName;
    return { std::move(staged), {} };
}

StagedOutput::StagedOutput(StagedOutput&& other) noexcept = default;

StagedOutput& StagedOutput::operator=(StagedOutput&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_finalPath = std::move(other.m_finalPath);
        m_folder = std::move(other.m_folder);
        m_extension = std::move(other.m_extension);
        m_temporaryName = std::move(other.m_temporaryName);
        m_temporaryPath = std::move(other.m_temporaryPath);
        m_method = other.m_method;
        m_file = std::move(other.m_file);
    }
    return *this;
}

StagedOutput::~StagedOutput()
{
    Discard();
}

std::string StagedOutput::DescriptorPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

long long StagedOutput::WrittenBytes() const
{
    struct stat info { };
    if (!m_file.IsOpen() || ::fstat(m_file.Get(), &info) != 0)
        return 0;
    return static_cast<long long>(info.st_size);
}

std::string StagedOutput::Commit()
{
    if (!m_file.IsOpen())
        return "no output to keep for '" + m_finalPath + "'";
    std::string error = m_method == StagingMethod::UnnamedFile ? CommitUnnamed() : CommitHidden();
    if (!error.empty()) {
        Discard();
        return "cannot write '" + m_finalPath + "': " + error;
    }
    m_file.Close();
    return {};
}

// Linking through /proc needs no capability, unlike linkat(AT_EMPTY_PATH).
std::string StagedOutput::CommitUnnamed()
{
    if (::linkat(AT_FDCWD, OwnPath().c_str(), AT_FDCWD, m_finalPath.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return {};
    if (errno != EEXIST)
        return std::strerror(errno);
    // Our callers overwrite an existing output, and rename() does that in
    // one step; the lock keeps a cleanup off the hidden name meanwhile.
    ::flock(m_file.Get(), LOCK_EX | LOCK_NB);
    std::string hiddenPath;
    if (std::string error = LinkUnderHiddenName(hiddenPath); !error.empty())
        return error;
    if (::rename(hiddenPath.c_str(), m_finalPath.c_str()) != 0) {
        std::string reason = std::strerror(errno);
        ::unlink(hiddenPath.c_str());
        return reason;
    }
    return {};
}

std::string StagedOutput::LinkUnderHiddenName(std::string& hiddenPath) const
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        hiddenPath = m_folder + NewStagedFileName(m_extension);
        if (::linkat(AT_FDCWD, OwnPath().c_str(), AT_FDCWD, hiddenPath.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return {};
        if (errno != EEXIST)
            return std::strerror(errno);
    }
    return std::strerror(EEXIST);
}

std::string StagedOutput::CommitHidden()
{
    KELVARA_EXPECT(!m_temporaryPath.empty()); // named while pending
    if (::rename(m_temporaryPath.c_str(), m_finalPath.c_str()) != 0)
        return std::strerror(errno);
    m_temporaryPath.clear();
    return {};
}

void StagedOutput::Discard()
{
    if (!m_file.IsOpen())
        return;
    // Removed while still locked, so no cleanup can meet a half-gone file.
    if (m_method == StagingMethod::HiddenName && !m_temporaryPath.empty())
        ::unlink(m_temporaryPath.c_str());
    m_file.Close();
}

} // namespace kelvara
