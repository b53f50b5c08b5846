#include "StagedOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr int kNameAttempts = 64;
constexpr const char* kNamePrefix = ".kelvara-";

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

std::string RandomTag()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[8] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        // Only uniqueness matters here, and O_EXCL guarantees it.
        static unsigned counter = 0;
        const unsigned seed = static_cast<unsigned>(::getpid()) * 7919u + ++counter;
        for (std::size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i % 4 * 8));
    }
    std::string tag;
    for (unsigned char byte : bytes)
        tag += kLetters[byte % (sizeof kLetters - 1)];
    return tag;
}

std::string FolderForMessage(const std::string& folder)
{
    return folder.empty() ? std::string("./") : folder;
}

} // namespace

StagedOutput::Created StagedOutput::Create(const std::string& finalPath)
{
    StagedOutput staged;
    staged.m_finalPath = finalPath;
    staged.m_folder = FolderOf(finalPath);
    const std::string extension = ExtensionOf(finalPath);
    int lastError = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        staged.m_temporaryName = kNamePrefix + RandomTag() + extension;
        staged.m_temporaryPath = staged.m_folder + staged.m_temporaryName;
        // 0666 before the umask, as any new output file gets.
        const int fd = ::open(staged.m_temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            staged.m_pending = true;
            return { std::move(staged), {} };
        }
        lastError = errno;
        if (lastError != EEXIST)
            break;
    }
    return { std::nullopt,
        "cannot write in the folder '" + FolderForMessage(staged.m_folder)
            + "': " + std::strerror(lastError) };
}

StagedOutput::StagedOutput(StagedOutput&& other) noexcept
    : m_finalPath(std::move(other.m_finalPath))
    , m_folder(std::move(other.m_folder))
    , m_temporaryName(std::move(other.m_temporaryName))
    , m_temporaryPath(std::move(other.m_temporaryPath))
    , m_pending(other.m_pending)
{
    other.m_pending = false;
}

StagedOutput& StagedOutput::operator=(StagedOutput&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_finalPath = std::move(other.m_finalPath);
        m_folder = std::move(other.m_folder);
        m_temporaryName = std::move(other.m_temporaryName);
        m_temporaryPath = std::move(other.m_temporaryPath);
        m_pending = other.m_pending;
        other.m_pending = false;
    }
    return *this;
}

StagedOutput::~StagedOutput()
{
    Discard();
}

long long StagedOutput::WrittenBytes() const
{
    struct stat info { };
    if (!m_pending || ::stat(m_temporaryPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return static_cast<long long>(info.st_size);
}

std::string StagedOutput::Commit()
{
    if (!m_pending)
        return "no output to keep for '" + m_finalPath + "'";
    if (::rename(m_temporaryPath.c_str(), m_finalPath.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        Discard();
        return "cannot write '" + m_finalPath + "': " + reason;
    }
    m_pending = false;
    return {};
}

void StagedOutput::Discard()
{
    if (m_pending)
        ::unlink(m_temporaryPath.c_str());
    m_pending = false;
}

} // namespace kelvara
