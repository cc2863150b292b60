// The process-wide registry state, the per-call session over it, and handle resolution.
#include "registry_state.h"

#include "host_registry_file.h"
#include "regedit_text.h"
#include "sandbox/internal.h"

namespace advapi32 {
namespace {

RegistryState& TheState() {
  static RegistryState* state = new RegistryState;  // never destroyed: callers may come during exit
  return *state;
}

constexpr ULONG_PTR PredefinedValue(uint32_t value) {
  return static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
}

}  // namespace

// Predefined keys are the four sign-extended constants; they are never in the handle table.
bool IsPredefined(HKEY key) {
  const auto value = reinterpret_cast<ULONG_PTR>(key);
  return value >= PredefinedValue(0x80000000) && value <= PredefinedValue(0x80000003);
}

// Generic rights map onto key rights as the registry's generic mapping documents; with no
// security descriptors modelled, the maximum allowed is everything.
REGSAM EffectiveAccess(REGSAM desired) {
  constexpr REGSAM kGenericRead = 0x80000000, kGenericWrite = 0x40000000, kGenericExecute = 0x20000000,
                   kGenericAll = 0x10000000, kMaximumAllowed = 0x02000000;
  REGSAM access = desired & ~(kGenericRead | kGenericWrite | kGenericExecute | kGenericAll | kMaximumAllowed |
                              KEY_WOW64_32KEY | KEY_WOW64_64KEY);
  if (desired & kGenericRead) access |= KEY_READ;
  if (desired & kGenericWrite) access |= KEY_WRITE;
  if (desired & kGenericExecute) access |= KEY_EXECUTE;
  if (desired & (kGenericAll | kMaximumAllowed)) access |= KEY_ALL_ACCESS;
  return access;
}

Session::Session() : state(TheState()), lock_(state.mutex) {}

Session::~Session() {
  if (changed_) SaveBound();
  lock_.unlock();
  for (const std::string& message : reports_) sandbox::internal::Fail(message);
}

LONG Session::Resolve(HKEY key, std::shared_ptr<Node>& node, REGSAM& access) {
  if (IsPredefined(key)) {
    switch (static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(key))) {
      case 0x80000000: node = tree().ClassesRoot(); break;
      case 0x80000001: node = tree().Root("HKEY_CURRENT_USER"); break;
      case 0x80000002: node = tree().Root("HKEY_LOCAL_MACHINE"); break;
      default: node = tree().Root("HKEY_USERS"); break;
    }
    access = KEY_ALL_ACCESS;
    // A standard user reads the machine's keys only.
    if (state.standardUser && tree().PathOf(*node).front() == "HKEY_LOCAL_MACHINE") access = KEY_READ;
    return ERROR_SUCCESS;
  }
  const auto it = state.handles.find(key);
  if (it == state.handles.end()) return ERROR_INVALID_HANDLE;
  node = it->second->node;
  access = it->second->access;
  return node->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

HKEY Session::AddHandle(std::shared_ptr<Node> node, REGSAM access) {
  auto open = std::make_unique<OpenKey>(OpenKey{std::move(node), access});
  const HKEY handle = reinterpret_cast<HKEY>(open.get());
  state.handles.emplace(handle, std::move(open));
  return handle;
}

namespace {
// Set while an action runs: its own registry calls are neither recorded nor counted.
thread_local bool t_inAction = false;
}  // namespace

LONG Session::Injected(const Node& base, const std::vector<std::string>& below, std::string_view operation) {
  if (t_inAction || (state.failures.empty() && !state.recording)) return ERROR_SUCCESS;
  KeyPath key = tree().PathOf(base);
  key.insert(key.end(), below.begin(), below.end());
  if (state.recording) {
    std::string shown;
    for (const std::string& part : key) shown += (shown.empty() ? "" : "\\") + part;
    state.calls.push_back({std::string(operation), shown});
  }
  std::vector<std::function<void()>> actions;
  LONG error = ERROR_SUCCESS;
  for (auto it = state.failures.begin(); it != state.failures.end();) {
    const bool matches = (it->operation == "*" || it->operation == operation) &&
                         (it->anyKey || (it->subtree ? PathIsWithin(key, it->key) : PathsEqual(key, it->key)));
    if (!matches) {
      ++it;
    } else if (it->skip > 0) {
      --it->skip;
      ++it;
    } else if (it->action) {
      actions.push_back(std::move(it->action));
      it = state.failures.erase(it);
    } else if (error != ERROR_SUCCESS) {
      ++it;  // one failure a call; the next one waits for the next call
    } else {
      error = it->error;
      if (it->remaining > 0 && --it->remaining == 0)
        it = state.failures.erase(it);
      else
        ++it;
    }
  }
  if (!actions.empty()) {
    lock_.unlock();
    t_inAction = true;
    for (auto& action : actions) action();
    t_inAction = false;
    lock_.lock();
  }
  return error;
}

bool Session::SaveBound() {
  if (!state.boundFile) return true;
  std::string error;
  if (SaveTo(tree(), *state.boundFile, &error)) return true;
  Report("registry: the bound file was not updated: " + error);
  return false;
}

void ExportAll(const Tree& tree, std::string& text, std::vector<std::string>& problems) {
  text.assign(kRegeditHeader);
  text += "\r\n";
  for (const auto& root : tree.Roots()) WriteRegeditSections(*root, root->name, text, &problems);
}

bool SaveTo(const Tree& tree, const std::string& hostFile, std::string* error) {
  std::string text;
  std::vector<std::string> problems;
  ExportAll(tree, text, problems);
  if (!problems.empty()) {
    if (error) *error = "REGEDIT4 cannot hold this registry (" + problems.front() + "); " + hostFile + " is unchanged";
    return false;
  }
  std::string why;
  if (host::ReplaceFile(hostFile, text, why)) return true;
  if (error) *error = why;
  return false;
}

}  // namespace advapi32
