// Persistence of the registry in a host .reg file, so that separate programs (the set-up
// program, then msdev) share one registry; the reset hook; the binding named by the environment.
#include "host_registry_file.h"
#include "regedit_text.h"
#include "registry_state.h"
#include "sandbox/internal.h"
#include "sandbox/registry.h"

using namespace advapi32;

namespace {

// Reads and parses a whole .reg file; nothing is touched.
std::optional<std::vector<RegChange>> ReadRegFile(const std::string& hostFile, bool& missing, std::string& error) {
  std::string text, why;
  missing = false;
  switch (host::ReadWholeFile(hostFile, text, why)) {
    case host::ReadResult::Missing:
      missing = true;
      error = hostFile + " does not exist";
      return std::nullopt;
    case host::ReadResult::Failed:
      error = why;
      return std::nullopt;
    case host::ReadResult::Ok:
      break;
  }
  auto changes = ParseRegedit(text, &why);
  if (!changes) error = hostFile + ": " + why;
  return changes;
}

// Binds the file: its content replaces the registry, or a missing file receives the registry.
bool BindFile(const std::string& hostFile, std::string& error) {
  bool missing = false;
  const auto changes = ReadRegFile(hostFile, missing, error);
  if (!changes && !missing) {
    error = "not bound, the file is left as it is: " + error;
    return false;
  }
  Session session;
  if (changes) {
    session.tree().Clear();
    ApplyChanges(session.tree(), *changes);
  }
  session.state.boundFile = hostFile;
  if (missing && !SaveTo(session.tree(), hostFile, &error)) {
    session.state.boundFile.reset();
    error = "not bound: " + error;
    return false;
  }
  return true;
}

// The start state: nothing bound, no handle open, no failure injected, an empty registry.
void ResetRegistry() {
  Session session;
  session.state.boundFile.reset();
  session.state.handles.clear();
  session.state.failures.clear();
  session.state.standardUser = false;
  session.state.recording = false;
  session.state.calls.clear();
  session.tree().Clear();
}

[[maybe_unused]] const bool kStarted = [] {
  sandbox::internal::RegisterReset("advapi32", &ResetRegistry);
  if (const auto file = host::RegistryFileFromEnvironment()) {
    std::string error;
    if (!BindFile(*file, error)) host::PrintWarning("SABLEWING_REGISTRY=" + *file + ": " + error);
  }
  return true;
}();

}  // namespace

namespace sandbox {

bool RegistryLoad(const std::string& hostFile, std::string* error) {
  bool missing = false;
  std::string why;
  const auto changes = ReadRegFile(hostFile, missing, why);
  if (!changes) {
    if (error) *error = why;
    return false;
  }
  Session session;
  session.tree().Clear();
  ApplyChanges(session.tree(), *changes);
  session.Changed();
  return true;
}

bool RegistrySave(const std::string& hostFile, std::string* error) {
  Session session;
  return SaveTo(session.tree(), hostFile, error);
}

void RegistryBindFile(const std::string& hostFile) {
  std::string error;
  if (!BindFile(hostFile, error)) internal::Fail("sandbox::RegistryBindFile(" + hostFile + "): " + error);
}

void RegistryUnbindFile() {
  Session session;
  session.state.boundFile.reset();
}

}  // namespace sandbox
