// Whether a program this process started is still there: running, or ended
// and not yet reaped by the part of the program that started it.
#pragma once

namespace kelvara::platform {

// Looks without reaping anything: each child is reaped by its owner, which
// may still have to act on its end (keep the file it finished).
bool AnyChildProcessLeft();

} // namespace kelvara::platform
