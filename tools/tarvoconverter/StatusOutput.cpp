#include "StatusOutput.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace kelvara::tarvo {

void StatusOutput::WriteLine(const std::string& line, int waitMilliseconds)
{
    if (m_broken)
        return;
    pollfd target { m_fd, POLLOUT, 0 };
    int ready;
    do
        ready = ::poll(&target, 1, waitMilliseconds);
    while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return; // no room now: this line is skipped, a later one tells the same
    if (target.revents & (POLLERR | POLLNVAL)) {
        m_broken = true;
        return;
    }
    ssize_t written;
    do
        written = ::write(m_fd, line.data(), line.size());
    while (written < 0 && errno == EINTR);
    if (written < 0 && errno != EAGAIN)
        m_broken = true;
}

} // namespace kelvara::tarvo
