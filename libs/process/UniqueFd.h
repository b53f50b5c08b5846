// A file descriptor that is closed exactly once: by Close() or by its
// destructor, whichever comes first. Closing a closed one does nothing.
#pragma once

#include <optional>
#include <utility>

namespace kelvara {

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
    // Returns the errno of a failed close (a full disk may show only here),
    // 0 when it closed or there was nothing to close.
    int Close();
    // Gives up ownership without closing.
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd = -1;
};

struct PipeEnds {
    UniqueFd readEnd;
    UniqueFd writeEnd;
};

// A pipe whose both ends are close-on-exec: a child gets only the ends that
// are handed to it explicitly. Nothing on failure, with errno set.
std::optional<PipeEnds> CreatePipe();

// Makes reads of `fd` return at once when nothing is there; the errno of a
// failure, 0 on success.
int SetNonBlocking(int fd);

} // namespace kelvara
