// The one way the project starts a program: argv without a shell, a map of
// the descriptors the child gets, a working folder, and the two guarantees
// an encoder needs (it dies with us; it may have a session of its own).
#pragma once

#include "ChildProcess.h"

#include <string>
#include <vector>

namespace kelvara {

// The child gets our `parentFd` as its `childFd`.
struct DescriptorMapping {
    int childFd;
    int parentFd;
};

struct SpawnRequest {
    std::string program; // a path, or a name looked up in PATH (ProgramLookup.h)
    std::vector<std::string> arguments; // argv, arguments[0] included
    // The child's descriptors: exactly these, and /dev/null for a standard
    // stream that is not listed; every other descriptor is closed.
    std::vector<DescriptorMapping> descriptors;
    std::string workingDirectory; // empty: ours
    // "NAME=value" entries that replace or add to our environment.
    std::vector<std::string> environmentChanges;
    // Sent to the child when the thread that started it ends (in practice:
    // when this program ends, killed or crashed). 0: none. This is why the
    // spawner starts the child itself (sharing our memory until it execs, as
    // vfork does) instead of using posix_spawn, which cannot ask for it.
    // Start such children from a thread that lives as long as they should.
    int parentDeathSignal = 0;
    // A session (and process group) of its own: a Ctrl-C in our terminal
    // does not reach it; we stop it ourselves.
    bool newSession = false;
};

// The step of starting that failed, for the reason's wording.
enum class SpawnStep { None, FindProgram, Prepare, Fork, Descriptors, WorkingFolder, Session, Execute };

struct SpawnResult {
    ChildProcess child; // running when Started()
    SpawnStep failedStep = SpawnStep::None;
    int error = 0; // the errno of the failed step

    bool Started() const { return failedStep == SpawnStep::None; }
    // "cannot start ffmpeg: No such file or directory", and the like.
    std::string Reason(const std::string& program) const;
};

SpawnResult Spawn(const SpawnRequest& request);

} // namespace kelvara
