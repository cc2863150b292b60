// The registry as tests, benchmarks and the demo set it up and inspect it.
//
// Key paths are written as regedit shows them: "HKEY_CURRENT_USER\\Software\\X". The roots are
// HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT (a view of HKLM\SOFTWARE\Classes) and
// HKEY_USERS; HKLM, HKCU, HKCR and HKU are accepted as abbreviations. Names compare without
// regard to the case of ASCII letters. A path that names no root is refused through the sandbox
// failure handler and the call changes nothing.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox {

// Empties the registry (only the keys every Windows registry has remain: the roots and
// HKLM\SOFTWARE\Classes). Handles that are still open then refer to deleted keys.
// sandbox::Reset() also does this, and in addition closes every open handle, drops injected
// failures, pending actions and the call record, and unbinds the bound file.
SANDBOX_API void RegistryClear();

// Set-up: each creates the key path as needed and replaces the value. "" names the default value.
// RegistrySetString stores the text plus its terminating NUL.
SANDBOX_API void RegistrySetString(const std::string& key, const std::string& name, const std::string& value,
                                   uint32_t type = 1 /*REG_SZ*/);
SANDBOX_API void RegistrySetDword(const std::string& key, const std::string& name, uint32_t value);
SANDBOX_API void RegistrySetBinary(const std::string& key, const std::string& name,
                                   const std::vector<uint8_t>& data, uint32_t type = 3 /*REG_BINARY*/);

// Inspection.
SANDBOX_API bool RegistryKeyExists(const std::string& key);
struct RegistryValue {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  bool operator==(const RegistryValue&) const = default;
};
SANDBOX_API std::optional<RegistryValue> RegistryGet(const std::string& key, const std::string& name);
// REG_SZ / REG_EXPAND_SZ data up to the first NUL (all of it when it has none); nullopt for a
// missing value or another type.
SANDBOX_API std::optional<std::string> RegistryGetString(const std::string& key, const std::string& name);
// A REG_DWORD of exactly four bytes; nullopt otherwise.
SANDBOX_API std::optional<uint32_t> RegistryGetDword(const std::string& key, const std::string& name);

// Deletes the key with its whole subtree (a root, or HKLM\SOFTWARE\Classes, is emptied instead).
// A missing key is not an error.
SANDBOX_API void RegistryDeleteKey(const std::string& key);

// Standard-user mode (off after a reset): the program runs without administrator rights, so the
// machine's keys (HKEY_LOCAL_MACHINE, and HKEY_CLASSES_ROOT, its view) are read-only to it: opening
// one with a right that changes it (KEY_SET_VALUE, KEY_CREATE_SUB_KEY, ..., so KEY_ALL_ACCESS and
// KEY_WRITE too), creating one, deleting one, or writing through the predefined handle is refused
// with ERROR_ACCESS_DENIED. Reading, and everything below HKEY_CURRENT_USER, works as before.
// Handles opened before the switch keep their rights. The sandbox's own calls are not affected.
SANDBOX_API void RegistrySetStandardUser(bool on);

// Handles returned by RegOpenKeyEx / RegCreateKeyEx / ... and not yet closed.
SANDBOX_API size_t RegistryOpenHandles();

// Failure injection: the next `count` calls (-1: every call until cleared) of `operation` on
// that key, or on any key below it when `subtree`, return `error` and change nothing.
// operation: "open", "create", "query", "set", "delete", "enum", "info", "close" or "*".
// A failing "close" leaves the handle open.
SANDBOX_API void RegistryInjectFailure(const std::string& key, const std::string& operation, long error,
                                       int count = -1, bool subtree = false);
// The same calls counted on any key, from now on: the n-th call (from 1) of `operation` ("*": of any
// kind) fails with `error`, or has `action` run just before it (the call then goes on). An action
// runs without the registry's lock, so it may read (export) the registry; its own calls are neither
// counted nor recorded.
SANDBOX_API void FailNthRegistryCall(const std::string& operation, int n, long error);
SANDBOX_API void BeforeNthRegistryCall(const std::string& operation, int n, std::function<void()> action);
// Drops every injected failure and every pending action.
SANDBOX_API void RegistryClearFailures();

// The record of those calls, in the order they came, while recording is on. Starting a record
// drops the one before; a count of calls of a kind is a count over the record.
struct RegistryCall {
  std::string operation;  // as above
  std::string key;        // the full key path, from its root's full name (HKEY_CLASSES_ROOT is
                          // HKEY_LOCAL_MACHINE\SOFTWARE\Classes)
  bool operator==(const RegistryCall&) const = default;
};
SANDBOX_API void RecordRegistryCalls(bool on);
SANDBOX_API std::vector<RegistryCall> RecordedRegistryCalls();

// REGEDIT4 text, CR LF line ends: the "REGEDIT4" header, one [HKEY_...\path] section per key,
// "name"="string", "name"=dword:0000000a, "name"=hex:01,02, "name"=hex(N):... for every other
// type or for a string that the quoted form cannot hold, @= for the default value, backslash and
// double quote escaped in quoted text, long hex lists continued with a trailing backslash.
// Export: "" = every root; an unknown or missing key gives "". A name that the format cannot
// hold (a line break or a NUL in it) is refused through the sandbox failure handler and that
// value or key is left out of the text.
SANDBOX_API std::string RegistryExport(const std::string& key = "");
// Import merges the text into the registry; "[-HKEY_...\path]" deletes that key with its subtree
// and "name"=- deletes a value. LF or CR LF line ends. The whole text is checked before anything
// changes: on malformed text nothing changes, false is returned and *error names the line.
SANDBOX_API bool RegistryImport(const std::string& text, std::string* error = nullptr);

// Load replaces the whole registry with a .reg file's content (nothing changes on failure); Save
// writes every root to the file through a temporary beside it, renamed over the file only when
// all of it was written.
SANDBOX_API bool RegistryLoad(const std::string& hostFile, std::string* error = nullptr);
SANDBOX_API bool RegistrySave(const std::string& hostFile, std::string* error = nullptr);

// Persistence, so that separate programs share one registry: binding a host .reg file loads it
// now when it exists (else writes the current registry to it) and saves the registry to it after
// every change. A file that cannot be read or parsed is left untouched and not bound (reported
// through the failure handler). The environment variable SABLEWING_REGISTRY, when set at process
// start, binds that file.
SANDBOX_API void RegistryBindFile(const std::string& hostFile);
SANDBOX_API void RegistryUnbindFile();

}  // namespace sandbox
