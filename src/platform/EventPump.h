// Servicing the window's messages while the program waits for an engine.
// Waiting never spins: it sleeps until an event arrives, a watched
// descriptor becomes readable, or a short timer runs out.
#pragma once

#include <initializer_list>

namespace kelvara::platform {

// Handles every event that is waiting, then returns.
void PumpMessages();

// Sleeps until one of `fds` (entries < 0 are skipped) is readable, an event
// arrives (which is then handled), or `timeoutMs` passes. Without an
// application object it only waits for the descriptors.
void WaitForActivity(std::initializer_list<int> fds, int timeoutMs);

// About how long a waiting loop sleeps when nothing happens.
constexpr int kWaitSliceMs = 50;

} // namespace kelvara::platform
