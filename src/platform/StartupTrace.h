// KELVARA_STARTUP_TRACE=1 prints each step of the start-up on stderr: the
// time since the process began, the CPU time it has used and how many shared
// objects it has mapped. Where the time before the first picture goes is
// then seen without a profiler.
#pragma once

namespace kelvara::platform {

inline constexpr const char* kStartupTraceVariable = "KELVARA_STARTUP_TRACE";

// Prints one line for `step` when the trace is on; costs a look at a
// variable otherwise.
void StartupMark(const char* step);

// The shared objects mapped into the process, the program itself included.
int MappedSharedObjects();

} // namespace kelvara::platform
