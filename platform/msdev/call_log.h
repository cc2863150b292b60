// The log of automation calls and the failures a test injects into them. Every method of the
// IDE's automation objects runs through Automate(): it clears the out-parameters, logs the call
// when it begins, answers an injected failure instead of running the method, and writes the
// result into the log line when it ends.
#pragma once

#include <objbase.h>

#include <optional>
#include <string>
#include <vector>

namespace msdev {

std::vector<std::string> CallLog();
void ClearCallLog();
void InjectFailure(const std::string& method, HRESULT result, int count);
void ClearFailures();

// A log line "method(arguments)" whose result is written by EndCall.
size_t BeginCall(const char* method, const std::string& arguments);
void EndCall(size_t entry, HRESULT result);
// Takes one injected failure of `method`, if any is pending.
std::optional<HRESULT> TakeInjectedFailure(const char* method);

// An unmodelled automation call: recorded loudly in the sandbox, E_NOTIMPL.
HRESULT Unmodelled(const char* method);

// Out-parameters start null (0, VARIANT_FALSE) so that a failing call leaves nothing behind.
template <class T>
void ClearOut(T* out) {
  if (out) *out = T{};
}

template <class Body, class... Outs>
HRESULT Automate(const char* method, const std::string& arguments, Body&& body, Outs*... outs) {
  (ClearOut(outs), ...);
  const size_t entry = BeginCall(method, arguments);
  HRESULT hr;
  if (const auto injected = TakeInjectedFailure(method)) hr = *injected;
  else hr = body();
  EndCall(entry, hr);
  return hr;
}

}  // namespace msdev
