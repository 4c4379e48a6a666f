#pragma once

namespace scrutor {

// Dispatches every window message waiting for the calling thread, so that a window on that
// thread stays responsive during long work. A quit request is left in the queue for the
// thread's own message loop.
void DispatchPendingMessages();

}  // namespace scrutor
