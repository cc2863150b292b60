// Values: query, set, delete and enumerate, with the documented buffer protocol: a size pointer
// carries the buffer's capacity in and the data's size out; a buffer that is too small gets
// ERROR_MORE_DATA, the size needed, and is left untouched.
#include <cstring>
#include <iterator>

#include "registry_api.h"

using namespace advapi32;

namespace {

std::string_view NameOf(LPCSTR valueName) { return valueName == nullptr ? std::string_view() : valueName; }

void CopyData(const std::vector<uint8_t>& data, BYTE* buffer) {
  if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
}

}  // namespace

extern "C" {

// Reads a value's type and data. Null data with a size pointer answers the size; null data and
// size answer whether the value exists (and its type). Data is returned as stored: a REG_SZ
// written without its NUL comes back without one.
WINADVAPI LONG WINAPI RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                      LPDWORD dataSize) {
  if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) return ERROR_INVALID_PARAMETER;
  Session session;
  std::shared_ptr<Node> node;
  if (const LONG status = BeginOnKey(session, key, KEY_QUERY_VALUE, "query", node)) return status;
  const auto it = node->values.find(NameOf(valueName));
  if (it == node->values.end()) return ERROR_FILE_NOT_FOUND;
  const Value& value = it->second;
  if (type != nullptr) *type = value.type;
  if (data != nullptr) {
    if (*dataSize < value.data.size()) {
      *dataSize = Size32(value.data.size());
      return ERROR_MORE_DATA;
    }
    CopyData(value.data, data);
  }
  if (dataSize != nullptr) *dataSize = Size32(value.data.size());
  return ERROR_SUCCESS;
}

// The 16-bit-era form: the default value of a sub-key (the key itself for an empty sub-key), a
// string. A key whose default value is not set reads as the empty string. A default value of a
// non-string type is refused with ERROR_INVALID_DATA.
WINADVAPI LONG WINAPI RegQueryValue(HKEY key, LPCSTR subKey, LPSTR data, PLONG dataSize) {
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  std::vector<std::string> components;
  if (const LONG status = SplitSubKey(subKey, components)) return status;
  Session session;
  std::shared_ptr<Node> node;
  REGSAM access = 0;
  if (const LONG status = session.Resolve(key, node, access)) return status;
  if (const LONG injected = session.Injected(*node, components, "query"))
    return injected;
  if (components.empty() && !(access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  node = Descend(node, components);
  if (!node) return ERROR_FILE_NOT_FOUND;

  static const std::vector<uint8_t> kEmptyString{0};
  const std::vector<uint8_t>* text = &kEmptyString;
  if (const auto it = node->values.find(std::string_view()); it != node->values.end()) {
    if (it->second.type != REG_SZ) return ERROR_INVALID_DATA;
    text = &it->second.data;
  }
  if (data != nullptr) {
    if (*dataSize < 0 || static_cast<size_t>(*dataSize) < text->size()) {
      *dataSize = static_cast<LONG>(text->size());
      return ERROR_MORE_DATA;
    }
    CopyData(*text, reinterpret_cast<BYTE*>(data));
  }
  if (dataSize != nullptr) *dataSize = static_cast<LONG>(text->size());
  return ERROR_SUCCESS;
}

// Stores the caller's bytes as they are, whatever the type claims (a REG_SZ keeps exactly the
// byte count given, NUL or not).
WINADVAPI LONG WINAPI RegSetValueEx(HKEY key, LPCSTR valueName, DWORD /*reserved*/, DWORD type, const BYTE* data,
                                    DWORD dataSize) {
  if (data == nullptr && dataSize != 0) return ERROR_NOACCESS;
  Session session;
  std::shared_ptr<Node> node;
  if (const LONG status = BeginOnKey(session, key, KEY_SET_VALUE, "set", node)) return status;
  Value value{type, data == nullptr ? std::vector<uint8_t>() : std::vector<uint8_t>(data, data + dataSize)};
  node->SetValue(NameOf(valueName), std::move(value));
  session.Changed();
  return ERROR_SUCCESS;
}

// The 16-bit-era form: sets the default value of a sub-key, creating the sub-key when missing.
// Only REG_SZ; the length comes from the text (the size argument is ignored, as documented).
WINADVAPI LONG WINAPI RegSetValue(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD /*dataSize*/) {
  if (type != REG_SZ || data == nullptr) return ERROR_INVALID_PARAMETER;
  std::vector<std::string> components;
  if (const LONG status = SplitSubKey(subKey, components)) return status;
  Session session;
  std::shared_ptr<Node> node;
  REGSAM access = 0;
  if (const LONG status = session.Resolve(key, node, access)) return status;
  if (const LONG injected = session.Injected(*node, components, "set"))
    return injected;
  if (components.empty() && !(access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
  std::shared_ptr<Node> target;
  bool created = false;
  if (const LONG status = CreatePath(session, node, access, components, target, created)) return status;
  if (MachineReadOnly(session, *target)) return ERROR_ACCESS_DENIED;
  const size_t length = std::strlen(data) + 1;
  target->SetValue(std::string_view(), Value{REG_SZ, std::vector<uint8_t>(data, data + length)});
  session.Changed();
  return ERROR_SUCCESS;
}

// Deletes a value ("" or null: the default value); a missing one is ERROR_FILE_NOT_FOUND.
WINADVAPI LONG WINAPI RegDeleteValue(HKEY key, LPCSTR valueName) {
  Session session;
  std::shared_ptr<Node> node;
  if (const LONG status = BeginOnKey(session, key, KEY_SET_VALUE, "delete", node)) return status;
  const auto it = node->values.find(NameOf(valueName));
  if (it == node->values.end()) return ERROR_FILE_NOT_FOUND;
  node->values.erase(it);
  node->Touch();
  session.Changed();
  return ERROR_SUCCESS;
}

// Value `index` in sorted order (the default value, named "", first). The name length is in
// characters, the data size in bytes; when either buffer is too small neither is written, the
// sizes needed come back (the name's including its NUL) and the result is ERROR_MORE_DATA.
WINADVAPI LONG WINAPI RegEnumValue(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameLength,
                                   LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  if (valueName == nullptr || valueNameLength == nullptr || reserved != nullptr) return ERROR_INVALID_PARAMETER;
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  Session session;
  std::shared_ptr<Node> node;
  if (const LONG status = BeginOnKey(session, key, KEY_QUERY_VALUE, "enum", node)) return status;
  if (index >= node->values.size()) return ERROR_NO_MORE_ITEMS;
  const auto& [name, value] = *std::next(node->values.begin(), index);

  const bool nameFits = name.size() < *valueNameLength;
  const bool dataFits = data == nullptr || value.data.size() <= *dataSize;
  if (type != nullptr) *type = value.type;
  if (!nameFits || !dataFits) {
    if (!nameFits) *valueNameLength = Size32(name.size() + 1);
    if (dataSize != nullptr) *dataSize = Size32(value.data.size());
    return ERROR_MORE_DATA;
  }
  CopyName(name, valueName, *valueNameLength);
  *valueNameLength = Size32(name.size());
  if (data != nullptr) CopyData(value.data, data);
  if (dataSize != nullptr) *dataSize = Size32(value.data.size());
  return ERROR_SUCCESS;
}

}  // extern "C"
