// Finishes the stop policy for a child on the event loop, so that the owner
// of a run can stop it and return at once: the GUI thread never waits for a
// program to finish its file. The child is reaped when it ends, killed when
// its grace period is over, and at the latest killed and reaped when the
// application object goes away.
#pragma once

#include "process/ChildProcess.h"
#include "process/ProcessStop.h"
#include "process/UniqueFd.h"

#include <functional>
#include <vector>

namespace kelvara::platform {

// Asks at once, then returns. `keepOpen` stays open until the child has
// ended (its output pipes: closing them early would end it by SIGPIPE
// before it has finished its file). `onEnded` runs on the event loop once
// the child is reaped (what it wrote is then complete); it is dropped
// unrun when the application goes away first. Without an application
// object (no event loop to finish on), or off the application's thread, the
// policy runs to its end before this returns.
void StopInBackground(ChildProcess child, StopRequest request, std::vector<UniqueFd> keepOpen = {},
    std::function<void()> onEnded = {});

} // namespace kelvara::platform
