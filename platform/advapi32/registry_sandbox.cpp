// The sandbox's control of the registry: set-up and inspection by full path, deletion, open
// handle count, failure injection and REGEDIT4 text. None of it goes through handle rights or
// injected failures.
#include "regedit_text.h"
#include "registry_state.h"
#include "sandbox/internal.h"
#include "sandbox/registry.h"

using namespace advapi32;

namespace {

std::optional<KeyPath> PathFor(Session& session, const std::string& key, const char* caller) {
  std::string why;
  auto path = ParseFullPath(key, &why);
  if (!path) session.Report(std::string("sandbox::") + caller + ": " + why);
  return path;
}

void Set(const std::string& key, const std::string& name, Value value, const char* caller) {
  Session session;
  const auto path = PathFor(session, key, caller);
  if (!path) return;
  session.tree().Create(*path)->SetValue(name, std::move(value));
  session.Changed();
}

const Value* Find(Session& session, const std::string& key, const std::string& name, const char* caller) {
  const auto path = PathFor(session, key, caller);
  if (!path) return nullptr;
  const auto node = session.tree().Find(*path);
  if (!node) return nullptr;
  const auto it = node->values.find(name);
  return it == node->values.end() ? nullptr : &it->second;
}

bool IsKnownOperation(const std::string& operation) {
  for (const char* known : {"open", "create", "query", "set", "delete", "enum", "info", "close", "*"})
    if (operation == known) return true;
  return false;
}

}  // namespace

namespace sandbox {

void RegistrySetStandardUser(bool on) {
  Session session;
  session.state.standardUser = on;
}

void RegistryClear() {
  Session session;
  session.tree().Clear();
  session.Changed();
}

void RegistrySetString(const std::string& key, const std::string& name, const std::string& value, uint32_t type) {
  std::vector<uint8_t> data(value.begin(), value.end());
  data.push_back(0);
  Set(key, name, Value{type, std::move(data)}, "RegistrySetString");
}

void RegistrySetDword(const std::string& key, const std::string& name, uint32_t value) {
  Set(key, name,
      Value{REG_DWORD, {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}},
      "RegistrySetDword");
}

void RegistrySetBinary(const std::string& key, const std::string& name, const std::vector<uint8_t>& data,
                       uint32_t type) {
  Set(key, name, Value{type, data}, "RegistrySetBinary");
}

bool RegistryKeyExists(const std::string& key) {
  Session session;
  const auto path = PathFor(session, key, "RegistryKeyExists");
  return path && session.tree().Find(*path) != nullptr;
}

std::optional<RegistryValue> RegistryGet(const std::string& key, const std::string& name) {
  Session session;
  const Value* value = Find(session, key, name, "RegistryGet");
  if (!value) return std::nullopt;
  return RegistryValue{value->type, value->data};
}

std::optional<std::string> RegistryGetString(const std::string& key, const std::string& name) {
  Session session;
  const Value* value = Find(session, key, name, "RegistryGetString");
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  std::string text(value->data.begin(), value->data.end());
  if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

std::optional<uint32_t> RegistryGetDword(const std::string& key, const std::string& name) {
  Session session;
  const Value* value = Find(session, key, name, "RegistryGetDword");
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  const auto& d = value->data;
  return uint32_t(d[0]) | uint32_t(d[1]) << 8 | uint32_t(d[2]) << 16 | uint32_t(d[3]) << 24;
}

void RegistryDeleteKey(const std::string& key) {
  Session session;
  const auto path = PathFor(session, key, "RegistryDeleteKey");
  if (!path) return;
  if (const auto node = session.tree().Find(*path)) {
    session.tree().DeleteSubtree(*node);
    session.Changed();
  }
}

size_t RegistryOpenHandles() {
  Session session;
  return session.state.handles.size();
}

void RegistryInjectFailure(const std::string& key, const std::string& operation, long error, int count,
                           bool subtree) {
  Session session;
  if (!IsKnownOperation(operation)) {
    session.Report("sandbox::RegistryInjectFailure: unknown operation \"" + operation + "\"");
    return;
  }
  if (count == 0 || count < -1) {
    session.Report("sandbox::RegistryInjectFailure: count must be positive or -1");
    return;
  }
  const auto path = PathFor(session, key, "RegistryInjectFailure");
  if (!path) return;
  InjectedFailure entry;
  entry.key = *path;
  entry.operation = operation;
  entry.error = static_cast<LONG>(error);
  entry.remaining = count;
  entry.subtree = subtree;
  session.state.failures.push_back(std::move(entry));
}

namespace {
void AddNth(const std::string& operation, int n, long error, std::function<void()> action, const char* function) {
  Session session;
  if (!IsKnownOperation(operation)) {
    session.Report(std::string("sandbox::") + function + ": unknown operation \"" + operation + "\"");
    return;
  }
  if (n < 1) {
    session.Report(std::string("sandbox::") + function + ": calls count from 1");
    return;
  }
  InjectedFailure entry;
  entry.operation = operation;
  entry.error = static_cast<LONG>(error);
  entry.remaining = 1;
  entry.anyKey = true;
  entry.skip = n - 1;
  entry.action = std::move(action);
  session.state.failures.push_back(std::move(entry));
}
}  // namespace

void FailNthRegistryCall(const std::string& operation, int n, long error) {
  AddNth(operation, n, error, {}, "FailNthRegistryCall");
}

void BeforeNthRegistryCall(const std::string& operation, int n, std::function<void()> action) {
  AddNth(operation, n, ERROR_SUCCESS, std::move(action), "BeforeNthRegistryCall");
}

void RecordRegistryCalls(bool on) {
  Session session;
  session.state.recording = on;
  if (on) session.state.calls.clear();
}

std::vector<RegistryCall> RecordedRegistryCalls() {
  Session session;
  return session.state.calls;
}

void RegistryClearFailures() {
  Session session;
  session.state.failures.clear();
}

std::string RegistryExport(const std::string& key) {
  Session session;
  std::string text;
  std::vector<std::string> problems;
  if (key.empty()) {
    ExportAll(session.tree(), text, problems);
  } else {
    text.assign(kRegeditHeader);
    text += "\r\n";
    std::string why, rootAlias;
    const auto path = ParseFullPath(key, &why, &rootAlias);
    if (!path) {
      session.Report("sandbox::RegistryExport: " + why);
      return {};
    }
    const auto node = session.tree().Find(*path);
    if (!node) return {};
    // Write the path in the caller's root, with the names' stored case.
    const KeyPath stored = session.tree().PathOf(*node);
    const size_t rootDepth = rootAlias == "HKEY_CLASSES_ROOT" ? ClassesRootTarget().size() : 1;
    std::string display = rootAlias;
    for (size_t i = rootDepth; i < stored.size(); ++i) display += "\\" + stored[i];
    WriteRegeditSections(*node, display, text, &problems);
  }
  for (const std::string& problem : problems) session.Report("sandbox::RegistryExport: left out: " + problem);
  return text;
}

bool RegistryImport(const std::string& text, std::string* error) {
  const auto changes = ParseRegedit(text, error);
  if (!changes) return false;
  Session session;
  ApplyChanges(session.tree(), *changes);
  session.Changed();
  return true;
}

}  // namespace sandbox
