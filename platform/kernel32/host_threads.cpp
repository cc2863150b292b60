// Host side of CreateThread: a detached host thread per thread (its end is reported through the
// thread's kernel object, which is what waits look at).
#include "host_threads.h"

#include <system_error>
#include <thread>

namespace kernel32::host {

bool StartThread(std::function<void()> body) {
  try {
    std::thread(std::move(body)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

}  // namespace kernel32::host
