// Which thread the window's work belongs to, for the checks that state it:
// the batch, the runner and the component's events run on the thread of the
// application object, whose event loop they pump.
#pragma once

namespace kelvara::platform {

// True on the application object's thread, and wherever there is no
// application object (the core's tests): then no thread owns the work.
bool OnApplicationThread();

} // namespace kelvara::platform
