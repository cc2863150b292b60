// OutputDebugString: the text goes to standard error (where a debugger would show it) and is kept
// for the sandbox (sandbox/debug_output.h), in call order.
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "sandbox/debug_output.h"
#include "sandbox/internal.h"

namespace {

struct DebugOutputState {
  std::mutex lock;
  std::vector<std::string> texts;
};

DebugOutputState& State() {
  static auto* state = new DebugOutputState;  // never destroyed: traces may come during exit
  return *state;
}

void ClearTexts() {
  std::lock_guard<std::mutex> g(State().lock);
  State().texts.clear();
}

struct Registration {
  Registration() { sandbox::internal::RegisterReset("kernel32.debug", ClearTexts); }
} g_registration;

}  // namespace

extern "C" {

WINBASEAPI void WINAPI OutputDebugString(LPCSTR text) {
  if (text == nullptr) return;
  std::fputs(text, stderr);
  std::lock_guard<std::mutex> g(State().lock);
  State().texts.emplace_back(text);
}

}  // extern "C"

namespace sandbox {

std::vector<std::string> DebugOutput() {
  std::lock_guard<std::mutex> g(State().lock);
  return State().texts;
}

void ClearDebugOutput() { ClearTexts(); }

}  // namespace sandbox
