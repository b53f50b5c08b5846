// A file descriptor that is closed exactly once: by Close() or by its
// destructor, whichever comes first. Closing a closed one does nothing.
#pragma once

#include <utility>

namespace kelvara::platform {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : m_fd(fd)
    {
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    ~UniqueFd() { Close(); }

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Returns false only when the close itself failed.
    bool Close();

private:
    int m_fd = -1;
};

struct PipeEnds {
    UniqueFd readEnd;
    UniqueFd writeEnd;
};

// A pipe whose both ends are close-on-exec: a child gets only the ends that
// are handed to it explicitly. Returns false and leaves errno set on failure.
bool CreatePipe(PipeEnds& ends);

} // namespace kelvara::platform
