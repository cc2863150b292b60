// Keys: opening, creating, closing, flushing, deleting, enumerating sub-keys and key information,
// with the error codes the registry API documents.
#include <algorithm>
#include <iterator>

#include "registry_api.h"
#include "sandbox/internal.h"

using namespace advapi32;

namespace advapi32 {

LONG CreatePath(Session& session, const std::shared_ptr<Node>& start, REGSAM startAccess,
                const std::vector<std::string>& components, std::shared_ptr<Node>& result, bool& created) {
  created = false;
  std::shared_ptr<Node> node = start;
  size_t i = 0;
  for (; i < components.size(); ++i) {
    auto child = node->Child(components[i]);
    if (!child) break;
    node = std::move(child);
  }
  if (i < components.size() && i == 0 && !(startAccess & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
  if (i < components.size() && MachineReadOnly(session, *node)) return ERROR_ACCESS_DENIED;
  for (; i < components.size(); ++i) node = session.tree().CreateChild(*node, components[i], &created);
  result = std::move(node);
  return ERROR_SUCCESS;
}

}  // namespace advapi32

namespace {

constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr DWORD kUnmodelledOptions =
    REG_OPTION_VOLATILE | REG_OPTION_CREATE_LINK | REG_OPTION_BACKUP_RESTORE | REG_OPTION_OPEN_LINK;

FILETIME ToFileTime(uint64_t ticks) { return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }

// The legacy calls hand back the caller's own handle for an empty sub-key.
LONG SameHandle(HKEY key, PHKEY result) {
  Session session;
  std::shared_ptr<Node> node;
  REGSAM access = 0;
  if (const LONG status = session.Resolve(key, node, access)) return status;
  *result = key;
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

// Opens an existing key below an open key; every success is a new handle of its own, also for the
// key itself ("" or null sub-key). The only option is REG_OPTION_OPEN_LINK, which is not modelled.
WINADVAPI LONG WINAPI RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (options & REG_OPTION_OPEN_LINK) STANDIN_UNMODELLED_RETURN(ERROR_CALL_NOT_IMPLEMENTED);
  if (options != 0) return ERROR_INVALID_PARAMETER;
  std::vector<std::string> components;
  if (const LONG status = SplitSubKey(subKey, components)) return status;

  Session session;
  std::shared_ptr<Node> parent;
  REGSAM access = 0;
  if (const LONG status = session.Resolve(key, parent, access)) return status;
  if (const LONG injected = session.Injected(*parent, components, "open"))
    return injected;
  auto node = Descend(parent, components);
  if (!node) return ERROR_FILE_NOT_FOUND;
  if ((EffectiveAccess(desired) & kWriteRights) && MachineReadOnly(session, *node)) return ERROR_ACCESS_DENIED;
  *result = session.AddHandle(std::move(node), EffectiveAccess(desired));
  return ERROR_SUCCESS;
}

// The 16-bit-era form: opens with every right, and returns the caller's handle for an empty sub-key.
WINADVAPI LONG WINAPI RegOpenKey(HKEY key, LPCSTR subKey, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  if (subKey == nullptr || *subKey == '\0') return SameHandle(key, result);
  return RegOpenKeyEx(key, subKey, 0, kMaximumAllowed, result);
}

// Opens a key, creating it and any missing keys on the way. Volatile, link and backup keys and
// security descriptors are not modelled.
WINADVAPI LONG WINAPI RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD /*reserved*/, LPSTR keyClass, DWORD options,
                                     REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                                     LPDWORD disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
  if (options & kUnmodelledOptions) STANDIN_UNMODELLED_RETURN(ERROR_CALL_NOT_IMPLEMENTED);
  if (options != 0) return ERROR_INVALID_PARAMETER;
  if (security != nullptr && security->lpSecurityDescriptor != nullptr)
    STANDIN_UNMODELLED_RETURN(ERROR_CALL_NOT_IMPLEMENTED);
  std::vector<std::string> components;
  if (const LONG status = SplitSubKey(subKey, components)) return status;

  Session session;
  std::shared_ptr<Node> parent;
  REGSAM access = 0;
  if (const LONG status = session.Resolve(key, parent, access)) return status;
  if (const LONG injected = session.Injected(*parent, components, "create"))
    return injected;
  std::shared_ptr<Node> node;
  bool created = false;
  if (const LONG status = CreatePath(session, parent, access, components, node, created)) return status;
  if ((EffectiveAccess(desired) & kWriteRights) && MachineReadOnly(session, *node)) return ERROR_ACCESS_DENIED;
  if (created) {
    if (keyClass != nullptr) node->className = keyClass;
    session.Changed();
  }
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = session.AddHandle(std::move(node), EffectiveAccess(desired));
  return ERROR_SUCCESS;
}

// The 16-bit-era form: creates with every right, and returns the caller's handle for an empty sub-key.
WINADVAPI LONG WINAPI RegCreateKey(HKEY key, LPCSTR subKey, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  if (subKey == nullptr || *subKey == '\0') return SameHandle(key, result);
  return RegCreateKeyEx(key, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, kMaximumAllowed, nullptr, result, nullptr);
}

// Closes a handle; closing a predefined key succeeds and does nothing, closing twice is an
// invalid handle. A handle to a deleted key closes normally.
WINADVAPI LONG WINAPI RegCloseKey(HKEY key) {
  if (IsPredefined(key)) return ERROR_SUCCESS;
  Session session;
  const auto it = session.state.handles.find(key);
  if (it == session.state.handles.end()) return ERROR_INVALID_HANDLE;
  const Node& node = *it->second->node;
  if (!node.deleted)
    if (const LONG injected = session.Injected(node, {}, "close")) return injected;
  session.state.handles.erase(it);
  return ERROR_SUCCESS;
}

// Every change already reached the bound file (if any) when its call returned.
WINADVAPI LONG WINAPI RegFlushKey(HKEY key) {
  Session session;
  std::shared_ptr<Node> node;
  REGSAM access = 0;
  return session.Resolve(key, node, access);
}

// Deletes a key that has no sub-keys (NT refuses one with sub-keys: ERROR_ACCESS_DENIED); an
// empty sub-key deletes the key of the handle itself. The handle's rights do not matter.
WINADVAPI LONG WINAPI RegDeleteKey(HKEY key, LPCSTR subKey) {
  if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
  std::vector<std::string> components;
  if (const LONG status = SplitSubKey(subKey, components)) return status;

  Session session;
  std::shared_ptr<Node> parent;
  REGSAM access = 0;
  if (const LONG status = session.Resolve(key, parent, access)) return status;
  if (const LONG injected = session.Injected(*parent, components, "delete"))
    return injected;
  auto node = Descend(parent, components);
  if (!node) return ERROR_FILE_NOT_FOUND;
  if (session.tree().IsPermanent(*node) || !node->children.empty() || MachineReadOnly(session, *node))
    return ERROR_ACCESS_DENIED;
  session.tree().DeleteSubtree(*node);
  session.Changed();
  return ERROR_SUCCESS;
}

// Sub-key `index` in sorted order. Sizes are characters: in, the buffer's capacity; out, the
// length without the NUL, or with ERROR_MORE_DATA the capacity needed (buffer untouched).
WINADVAPI LONG WINAPI RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameLength, LPDWORD reserved,
                                   LPSTR keyClass, LPDWORD classLength, PFILETIME lastWriteTime) {
  if (name == nullptr || nameLength == nullptr || reserved != nullptr) return ERROR_INVALID_PARAMETER;
  if (keyClass != nullptr && classLength == nullptr) return ERROR_INVALID_PARAMETER;
  Session session;
  std::shared_ptr<Node> node;
  if (const LONG status = BeginOnKey(session, key, KEY_ENUMERATE_SUB_KEYS, "enum", node)) return status;
  if (index >= node->children.size()) return ERROR_NO_MORE_ITEMS;
  const Node& child = *std::next(node->children.begin(), index)->second;

  const bool nameFits = child.name.size() < *nameLength;
  const bool classFits = keyClass == nullptr || child.className.size() < *classLength;
  if (!nameFits || !classFits) {
    if (!nameFits) *nameLength = Size32(child.name.size() + 1);
    if (!classFits) *classLength = Size32(child.className.size() + 1);
    return ERROR_MORE_DATA;
  }
  CopyName(child.name, name, *nameLength);
  *nameLength = Size32(child.name.size());
  if (keyClass != nullptr) {
    CopyName(child.className, keyClass, *classLength);
    *classLength = Size32(child.className.size());
  }
  if (lastWriteTime != nullptr) *lastWriteTime = ToFileTime(child.lastWrite);
  return ERROR_SUCCESS;
}

// The 16-bit-era form of RegEnumKeyEx.
WINADVAPI LONG WINAPI RegEnumKey(HKEY key, DWORD index, LPSTR name, DWORD nameLength) {
  return RegEnumKeyEx(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
}

// Counts and longest lengths (characters without the NUL; value data in bytes). With a class
// buffer that is too small: ERROR_MORE_DATA, the capacity needed, and every other output still
// filled in. Keys carry no security descriptor here, so its size is 0.
WINADVAPI LONG WINAPI RegQueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classLength, LPDWORD reserved,
                                      LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                                      LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                                      LPDWORD securityDescriptorSize, PFILETIME lastWriteTime) {
  if (reserved != nullptr) return ERROR_INVALID_PARAMETER;
  if (keyClass != nullptr && classLength == nullptr) return ERROR_INVALID_PARAMETER;
  Session session;
  std::shared_ptr<Node> node;
  if (const LONG status = BeginOnKey(session, key, KEY_QUERY_VALUE, "info", node)) return status;

  LONG status = ERROR_SUCCESS;
  if (classLength != nullptr) {
    if (keyClass != nullptr && !CopyName(node->className, keyClass, *classLength)) {
      *classLength = Size32(node->className.size() + 1);
      status = ERROR_MORE_DATA;
    } else {
      *classLength = Size32(node->className.size());
    }
  }
  size_t longestKey = 0, longestClass = 0, longestName = 0, longestData = 0;
  for (const auto& [childName, child] : node->children) {
    longestKey = std::max(longestKey, childName.size());
    longestClass = std::max(longestClass, child->className.size());
  }
  for (const auto& [valueName, value] : node->values) {
    longestName = std::max(longestName, valueName.size());
    longestData = std::max(longestData, value.data.size());
  }
  if (subKeys != nullptr) *subKeys = Size32(node->children.size());
  if (maxSubKeyLength != nullptr) *maxSubKeyLength = Size32(longestKey);
  if (maxClassLength != nullptr) *maxClassLength = Size32(longestClass);
  if (values != nullptr) *values = Size32(node->values.size());
  if (maxValueNameLength != nullptr) *maxValueNameLength = Size32(longestName);
  if (maxValueLength != nullptr) *maxValueLength = Size32(longestData);
  if (securityDescriptorSize != nullptr) *securityDescriptorSize = 0;
  if (lastWriteTime != nullptr) *lastWriteTime = ToFileTime(node->lastWrite);
  return status;
}

}  // extern "C"
