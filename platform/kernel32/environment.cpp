// GetEnvironmentVariable over the environment the sandbox sets (sandbox/process.h): names match
// without regard to case, as on Windows; the host's own environment is never read.
#include <windows.h>

#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

#include "sandbox/internal.h"
#include "sandbox/process.h"

namespace {

// Environment names compare as the platform compares them: ASCII letters without case.
struct NameLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return lstrcmpi(a.c_str(), b.c_str()) < 0;
  }
};

struct Environment {
  std::mutex lock;
  std::map<std::string, std::string, NameLess> values;
};

Environment& E() {
  static auto* environment = new Environment;  // never destroyed: read during exit too
  return *environment;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("kernel32.environment", [] {
      std::lock_guard<std::mutex> g(E().lock);
      E().values.clear();
    });
  }
} g_registration;

}  // namespace

extern "C" {

WINBASEAPI DWORD WINAPI GetEnvironmentVariable(LPCSTR name, LPSTR buffer, DWORD size) {
  if (name == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string value;
  {
    std::lock_guard<std::mutex> g(E().lock);
    auto found = E().values.find(name);
    if (found == E().values.end()) {
      SetLastError(ERROR_ENVVAR_NOT_FOUND);
      return 0;
    }
    value = found->second;
  }
  if (buffer == nullptr || size <= value.size()) return static_cast<DWORD>(value.size() + 1);
  value.copy(buffer, value.size());
  buffer[value.size()] = '\0';
  // An empty value answers 0 like a missing one; the last error tells them apart.
  if (value.empty()) SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(value.size());
}

}  // extern "C"

namespace sandbox {

void SetEnvironmentValue(const std::string& name, const std::string& value) {
  if (name.empty() || name.find('=') != std::string::npos)
    throw std::invalid_argument("SetEnvironmentValue: \"" + name + "\" is no variable name");
  std::lock_guard<std::mutex> g(E().lock);
  E().values[name] = value;
}

void RemoveEnvironmentValue(const std::string& name) {
  std::lock_guard<std::mutex> g(E().lock);
  E().values.erase(name);
}

}  // namespace sandbox
