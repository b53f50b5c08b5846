// Writes status lines to the caller, one write per line. A caller that has
// stopped reading never blocks the conversion: a line that does not fit
// into the pipe is dropped, and once the pipe is broken nothing more is
// written (the caller closes its end before it asks us to stop).
#pragma once

#include <string>

namespace kelvara::tarvo {

class StatusOutput {
public:
    explicit StatusOutput(int fd)
        : m_fd(fd)
    {
    }

    // waitMilliseconds: how long to wait for room in the pipe (0: not at all).
    void WriteLine(const std::string& line, int waitMilliseconds = 0);
    bool IsBroken() const { return m_broken; }

private:
    int m_fd;
    bool m_broken = false;
};

} // namespace kelvara::tarvo
