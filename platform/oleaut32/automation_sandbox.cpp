// The sandbox's view of oleaut32 (sandbox/automation.h): live BSTRs and arrays, and injected
// failures of array creation, element stores and data access.
#include <atomic>
#include <map>
#include <mutex>
#include <stdexcept>

#include "automation_state.h"
#include "sandbox/automation.h"
#include "sandbox/internal.h"

namespace oleaut32 {
namespace {

std::atomic<size_t> g_bstrs{0};
std::atomic<size_t> g_arrays{0};

struct Pending {
  HRESULT result = S_OK;
  int count = 0;
};

struct Failures {
  std::mutex lock;
  std::map<Injectable, Pending> pending;
};

Failures& F() {
  static Failures* failures = new Failures;
  return *failures;
}

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("oleaut32", [] {
      std::lock_guard<std::mutex> g(F().lock);
      F().pending.clear();
    });
  }
} g_resetHook;

}  // namespace

void BstrAllocated() { ++g_bstrs; }
void BstrFreed() { --g_bstrs; }
void ArrayCreated() { ++g_arrays; }
void ArrayDestroyed() { --g_arrays; }

HRESULT TakeInjectedFailure(Injectable call) {
  std::lock_guard<std::mutex> g(F().lock);
  auto it = F().pending.find(call);
  if (it == F().pending.end() || it->second.count == 0) return S_OK;
  if (it->second.count > 0) --it->second.count;
  return it->second.result;
}

}  // namespace oleaut32

namespace sandbox {

SANDBOX_API size_t LiveBstrs() { return oleaut32::g_bstrs; }
SANDBOX_API size_t LiveSafeArrays() { return oleaut32::g_arrays; }

SANDBOX_API void InjectAutomationFailure(const std::string& function, int32_t result, int count) {
  static const std::map<std::string, oleaut32::Injectable> kCalls = {
      {"SafeArrayCreate", oleaut32::Injectable::ArrayCreation},
      {"SafeArrayPutElement", oleaut32::Injectable::PutElement},
      {"SafeArrayAccessData", oleaut32::Injectable::AccessData},
  };
  auto call = kCalls.find(function);
  if (call == kCalls.end()) throw std::invalid_argument("InjectAutomationFailure: no failure is modelled for " + function);
  if (result >= 0) throw std::invalid_argument("InjectAutomationFailure: the result must be a failure");
  std::lock_guard<std::mutex> g(oleaut32::F().lock);
  oleaut32::F().pending[call->second] = {result, count};
}

SANDBOX_API void ClearAutomationFailures() {
  std::lock_guard<std::mutex> g(oleaut32::F().lock);
  oleaut32::F().pending.clear();
}

}  // namespace sandbox
