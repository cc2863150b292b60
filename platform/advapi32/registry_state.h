// The process-wide registry: the tree, the open handles, injected failures and the bound file,
// all behind one mutex. Every entry point works inside one Session.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry_tree.h"
#include "sandbox/registry.h"

namespace advapi32 {

// What an opened HKEY points to: a heap object of its own per open, sharing the key node.
struct OpenKey {
  std::shared_ptr<Node> node;
  REGSAM access = 0;
};

// One injected failure, or one action to run just before a call.
struct InjectedFailure {
  KeyPath key;
  std::string operation;  // "open", "create", ... or "*"
  LONG error = ERROR_SUCCESS;
  int remaining = -1;  // -1: until cleared
  bool subtree = false;
  bool anyKey = false;           // counts calls on every key
  int skip = 0;                  // matching calls that go through before it acts
  std::function<void()> action;  // when set: run before the call (without the lock), which goes on
};

struct RegistryState {
  std::mutex mutex;
  Tree tree;
  std::unordered_map<HKEY, std::unique_ptr<OpenKey>> handles;
  std::vector<InjectedFailure> failures;
  bool recording = false;
  std::vector<sandbox::RegistryCall> calls;  // while recording
  std::optional<std::string> boundFile;
  // A standard user's registry: the machine's keys (HKLM, and HKCR, its view) are read-only.
  bool standardUser = false;
};

// Holds the registry lock for one call. A change marked with Changed() is saved to the bound
// file before the lock is released; failures reported with Report() reach the sandbox failure
// handler after it is released.
class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  RegistryState& state;
  Tree& tree() { return state.tree; }

  void Changed() { changed_ = true; }
  void Report(std::string message) { reports_.push_back(std::move(message)); }

  // The key behind a handle. ERROR_INVALID_HANDLE for an unknown or closed handle,
  // ERROR_KEY_DELETED for a handle whose key was deleted. Predefined roots have every right.
  LONG Resolve(HKEY key, std::shared_ptr<Node>& node, REGSAM& access);
  HKEY AddHandle(std::shared_ptr<Node> node, REGSAM access);

  // Every call that a failure can be injected into comes here once: recorded while recording,
  // counted by the n-th call switches, preceded by an action that is due (run with the registry's
  // lock let go, so it may read the registry), and failed when an injected failure on the key
  // `below` names under `key` says so (counted down). ERROR_SUCCESS if it goes on.
  LONG Injected(const Node& key, const std::vector<std::string>& below, std::string_view operation);

  // Writes the whole registry to the bound file (when bound); false and a report on failure.
  bool SaveBound();

 private:
  std::unique_lock<std::mutex> lock_;
  bool changed_ = false;
  std::vector<std::string> reports_;
};

bool IsPredefined(HKEY key);
// The rights that change a key, its values or its security.
inline constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | 0x00010000 /*DELETE*/ |
                                       0x00040000 /*WRITE_DAC*/ | 0x00080000 /*WRITE_OWNER*/;
// Generic and maximum-allowed requests mapped onto key rights; WOW64 view flags dropped.
REGSAM EffectiveAccess(REGSAM desired);

// The registry as REGEDIT4 text (every root; what the format cannot hold is left out and listed
// in `problems`), and the host file it goes to through a temporary beside it. SaveTo refuses to
// write a file that would lose anything.
void ExportAll(const Tree& tree, std::string& text, std::vector<std::string>& problems);
bool SaveTo(const Tree& tree, const std::string& hostFile, std::string* error);

}  // namespace advapi32
