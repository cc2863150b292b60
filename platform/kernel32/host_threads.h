// Host side of CreateThread: the host thread that runs a thread's body.
#pragma once

#include <functional>

namespace kernel32::host {

// Runs `body` on a new detached host thread; false when the host cannot start one.
bool StartThread(std::function<void()> body);

}  // namespace kernel32::host
