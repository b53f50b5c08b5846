#include "UniqueFd.h"

#include <fcntl.h>
#include <unistd.h>

namespace kelvara::platform {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

bool UniqueFd::Close()
{
    if (m_fd < 0)
        return true;
    const int fd = std::exchange(m_fd, -1);
    return ::close(fd) == 0;
}

bool CreatePipe(PipeEnds& ends)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    ends.readEnd = UniqueFd(fds[0]);
    ends.writeEnd = UniqueFd(fds[1]);
    return true;
}

} // namespace kelvara::platform
