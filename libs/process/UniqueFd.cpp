#include "UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kelvara {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

int UniqueFd::Close()
{
    if (m_fd < 0)
        return 0;
    const int fd = std::exchange(m_fd, -1);
    // Linux releases the descriptor even when close fails: never retry.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

std::optional<PipeEnds> CreatePipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    return PipeEnds { UniqueFd(fds[0]), UniqueFd(fds[1]) };
}

int SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0)
        return errno;
    return 0;
}

} // namespace kelvara
