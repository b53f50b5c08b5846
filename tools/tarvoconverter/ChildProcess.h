// Starting ffmpeg as a child that cannot outlive us.
#pragma once

#include <signal.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace kelvara::tarvo {

// A descriptor of ours that the child gets as childFd.
struct ChildFd {
    int childFd;
    int parentFd;
};

struct StartedChild {
    pid_t pid = -1;
    int startError = 0; // errno of the failed start (e.g. ENOENT: no such program)
};

// Starts program (looked up in PATH when it has no slash) with arguments
// (argv[0] included). The child gets exactly the descriptors in fds plus
// nothing of ours (ours are close-on-exec), default signal handling, an
// empty signal mask, and SIGKILL as soon as this process ends.
StartedChild StartChild(
    const std::string& program, const std::vector<std::string>& arguments, const std::vector<ChildFd>& fds);

} // namespace kelvara::tarvo
