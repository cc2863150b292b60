// Steps the registry entry points share.
#pragma once

#include <cstring>
#include <string_view>

#include "registry_state.h"

namespace advapi32 {

// What a call on an existing key does first: resolve the handle, honour an injected failure of
// the operation on that key, then check the handle's rights (0: none needed).
inline LONG BeginOnKey(Session& session, HKEY key, REGSAM needed, std::string_view operation,
                       std::shared_ptr<Node>& node) {
  REGSAM access = 0;
  if (const LONG result = session.Resolve(key, node, access)) return result;
  if (const LONG injected = session.Injected(*node, {}, operation)) return injected;
  if ((access & needed) != needed) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

// Follows existing sub-keys; null when one is missing.
inline std::shared_ptr<Node> Descend(std::shared_ptr<Node> node, const std::vector<std::string>& components) {
  for (const std::string& name : components) {
    if (!node) break;
    node = node->Child(name);
  }
  return node;
}

// Copies a name and its NUL into a caller's buffer of `capacity` characters; false when it does
// not fit (the buffer is then untouched).
inline bool CopyName(std::string_view name, char* buffer, DWORD capacity) {
  if (name.size() + 1 > capacity) return false;
  if (!name.empty()) std::memcpy(buffer, name.data(), name.size());
  buffer[name.size()] = '\0';
  return true;
}

// Walks `components` below `start`, creating the keys that are missing. Creating a key right
// below `start` needs KEY_CREATE_SUB_KEY in `startAccess`; deeper keys are created through the
// keys on the way. `created` tells whether the last key is new.
LONG CreatePath(Session& session, const std::shared_ptr<Node>& start, REGSAM startAccess,
                const std::vector<std::string>& components, std::shared_ptr<Node>& result, bool& created);

// In standard-user mode a key of the machine (HKLM and HKCR, its view) cannot be changed: opening
// one with a write right, creating, deleting or writing one is ERROR_ACCESS_DENIED.
inline bool MachineReadOnly(Session& session, const Node& node) {
  if (!session.state.standardUser) return false;
  const KeyPath path = session.tree().PathOf(node);
  return !path.empty() && path.front() == "HKEY_LOCAL_MACHINE";
}

inline DWORD Size32(size_t size) { return static_cast<DWORD>(size); }

}  // namespace advapi32
