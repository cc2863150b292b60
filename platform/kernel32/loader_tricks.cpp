// The sandbox's loader tricks: what a test makes LoadLibrary and GetProcAddress do to modules of a
// given name (hide an export, refuse a load, count and hold loads), so that code which binds a
// module at run time can be driven through its failure paths and its races.
#include "loader_tricks.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>

#include "file_mapping.h"
#include "sandbox/internal.h"
#include "sandbox/modules.h"
#include "winpath.h"

namespace kernel32::loader::tricks {
namespace {

struct PerModule {
  std::set<std::string> hidden;
  std::optional<DWORD> refusal;
  unsigned attempts = 0;
  bool held = false;
  unsigned waiting = 0;
};

struct Tricks {
  std::mutex lock;
  std::condition_variable released;
  std::map<std::string, PerModule> modules;
  // Whether any export is hidden, read without the lock on every GetProcAddress.
  std::atomic<bool> anyHidden{false};
};

Tricks& State() {
  static Tricks* state = new Tricks;  // never destroyed: loads may run during exit
  return *state;
}

// The key a sandbox call names, refused when it names no module.
std::string SandboxKey(const std::string& module, const char* call) {
  std::string key = KeyOf(module);
  if (key.empty()) throw std::invalid_argument(std::string(call) + ": \"" + module + "\" names no module");
  return key;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("kernel32.loader_tricks", [] {
      Tricks& t = State();
      std::lock_guard<std::mutex> g(t.lock);
      t.modules.clear();
      t.anyHidden = false;
      t.released.notify_all();
    });
  }
} g_registration;

}  // namespace

std::string KeyOf(const std::string& name) {
  std::string file = winpath::SplitLast(name, files::LeadBytes()).second;
  if (file.empty()) return {};
  if (file.back() == '.')
    file.pop_back();
  else if (file.find('.') == std::string::npos)
    file += ".dll";
  for (char& c : file)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return file;
}

std::optional<DWORD> BeforeLoad(const std::string& key) {
  Tricks& t = State();
  std::unique_lock<std::mutex> g(t.lock);
  PerModule& module = t.modules[key];
  ++module.attempts;
  if (module.held) {
    ++module.waiting;
    // A reset drops the entry, which lets the load go as well.
    t.released.wait(g, [&] {
      auto again = t.modules.find(key);
      return again == t.modules.end() || !again->second.held;
    });
    auto again = t.modules.find(key);
    if (again == t.modules.end()) return std::nullopt;
    --again->second.waiting;
    return again->second.refusal;
  }
  return module.refusal;
}

bool AnyHidden() { return State().anyHidden; }

bool Hidden(const std::vector<std::string>& moduleKeys, const char* exportName) {
  Tricks& t = State();
  std::lock_guard<std::mutex> g(t.lock);
  for (const std::string& key : moduleKeys) {
    auto found = t.modules.find(key);
    if (found != t.modules.end() && found->second.hidden.count(exportName)) return true;
  }
  return false;
}

}  // namespace kernel32::loader::tricks

namespace sandbox {

using kernel32::loader::tricks::State;

void HideExport(const std::string& module, const std::string& exportName) {
  const std::string key = kernel32::loader::tricks::SandboxKey(module, "HideExport");
  std::lock_guard<std::mutex> g(State().lock);
  State().modules[key].hidden.insert(exportName);
  State().anyHidden = true;
}

void RefuseLoad(const std::string& module, uint32_t lastError) {
  const std::string key = kernel32::loader::tricks::SandboxKey(module, "RefuseLoad");
  std::lock_guard<std::mutex> g(State().lock);
  State().modules[key].refusal = lastError;
}

unsigned LoadAttempts(const std::string& module) {
  const std::string key = kernel32::loader::tricks::SandboxKey(module, "LoadAttempts");
  std::lock_guard<std::mutex> g(State().lock);
  auto found = State().modules.find(key);
  return found == State().modules.end() ? 0 : found->second.attempts;
}

void HoldLoads(const std::string& module) {
  const std::string key = kernel32::loader::tricks::SandboxKey(module, "HoldLoads");
  std::lock_guard<std::mutex> g(State().lock);
  State().modules[key].held = true;
}

unsigned HeldLoads(const std::string& module) {
  const std::string key = kernel32::loader::tricks::SandboxKey(module, "HeldLoads");
  std::lock_guard<std::mutex> g(State().lock);
  auto found = State().modules.find(key);
  return found == State().modules.end() ? 0 : found->second.waiting;
}

void ReleaseLoads(const std::string& module) {
  const std::string key = kernel32::loader::tricks::SandboxKey(module, "ReleaseLoads");
  std::lock_guard<std::mutex> g(State().lock);
  auto found = State().modules.find(key);
  if (found == State().modules.end()) return;
  found->second.held = false;
  State().released.notify_all();
}

}  // namespace sandbox
