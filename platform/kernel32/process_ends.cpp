// DebugBreak and ExitProcess as a process without a debugger, inside the sandbox, meets them:
// each is recorded (sandbox/process.h) and returns, so neither traps nor ends the test running
// the code that called it.
#include <windows.h>

#include <mutex>
#include <vector>

#include "sandbox/internal.h"
#include "sandbox/process.h"

namespace {

struct Record {
  std::mutex lock;
  unsigned breaks = 0;
  std::vector<uint32_t> ends;
};

Record& R() {
  static auto* record = new Record;  // never destroyed: a late break during exit still counts
  return *record;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("kernel32.process_ends", [] {
      std::lock_guard<std::mutex> g(R().lock);
      R().breaks = 0;
      R().ends.clear();
    });
  }
} g_registration;

}  // namespace

extern "C" {

WINBASEAPI void WINAPI DebugBreak() {
  std::lock_guard<std::mutex> g(R().lock);
  ++R().breaks;
}

WINBASEAPI void WINAPI ExitProcess(UINT exitCode) {
  std::lock_guard<std::mutex> g(R().lock);
  R().ends.push_back(exitCode);
}

}  // extern "C"

namespace sandbox {

unsigned DebugBreaks() {
  std::lock_guard<std::mutex> g(R().lock);
  return R().breaks;
}

std::vector<uint32_t> ProgramEnds() {
  std::lock_guard<std::mutex> g(R().lock);
  return R().ends;
}

}  // namespace sandbox
