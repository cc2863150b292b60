#include "TqRegistry.h"

#include <cstring>
#include <map>
#include <vector>

namespace TQ {
namespace {

// The module's count of holders per key handle. It is no static object, so that a key object
// that outlives the module's other statics still finds it; it is made for the first holder and
// goes with the last, so a module that unloads leaves nothing of it behind.
std::map<HKEY, LONG>*& HandleCountsHeld() {
  static std::map<HKEY, LONG>* counts = NULL;
  return counts;
}

std::map<HKEY, LONG>& HandleCounts() {
  std::map<HKEY, LONG>*& counts = HandleCountsHeld();
  if (counts == NULL) counts = new std::map<HKEY, LONG>;
  return *counts;
}

// One holder of the handle less; true when it was the last.
bool ReleaseHandleCount(HKEY handle) {
  std::map<HKEY, LONG>& counts = HandleCounts();
  const auto found = counts.find(handle);
  if (found != counts.end() && --found->second > 0) return false;
  if (found != counts.end()) counts.erase(found);
  if (counts.empty()) {
    delete HandleCountsHeld();
    HandleCountsHeld() = NULL;
  }
  return true;
}

void ThrowIfFailed(LONG result) {
  if (result != ERROR_SUCCESS) ThrowSystemException(static_cast<DWORD>(result));
}

}  // namespace

// --- CTqRegRefNum ---------------------------------------------------------------------------

CTqRegRefNum::CTqRegRefNum() : m_handle(NULL) {}

CTqRegRefNum::CTqRegRefNum(const HKEY& handle) : m_handle(handle) {
  if (m_handle != NULL) ++HandleCounts()[m_handle];
}

CTqRegRefNum::CTqRegRefNum(const CTqRegRefNum& other) : m_handle(other.m_handle) {
  if (m_handle != NULL) ++HandleCounts()[m_handle];
}

CTqRegRefNum& CTqRegRefNum::operator=(const CTqRegRefNum& other) {
  if (this == &other) return *this;
  // Count the new handle before letting go of the old, so that assigning a holder of the same
  // handle never closes it in between.
  if (other.m_handle != NULL) ++HandleCounts()[other.m_handle];
  Release();
  m_handle = other.m_handle;
  return *this;
}

CTqRegRefNum::~CTqRegRefNum() { Release(); }

void CTqRegRefNum::Release() {
  if (m_handle == NULL) return;
  if (ReleaseHandleCount(m_handle)) {
    // A failing close cannot be reported from here (this runs in destructors, possibly while
    // another exception is in flight); it is traced and otherwise ignored.
    const LONG result = RegCloseKey(m_handle);
    if (result != ERROR_SUCCESS) TRACE("RegCloseKey failed with %ld\n", static_cast<long>(result));
  }
  m_handle = NULL;
}

// --- CTqRegKey ------------------------------------------------------------------------------

CTqRegKey::CTqRegKey(HKEY parent, const char* subKey, DWORD options, REGSAM access,
                     LPSECURITY_ATTRIBUTES security, BOOL* existed)
    : m_parent(parent), m_subKey(subKey), m_access(access) {
  if (subKey == NULL || *subKey == '\0') {
    m_key = m_parent;
    if (existed != NULL) *existed = TRUE;
    return;
  }
  HKEY handle = NULL;
  DWORD disposition = 0;
  ThrowIfFailed(RegCreateKeyEx(parent, subKey, 0, NULL, options, access, security, &handle, &disposition));
  m_key = CTqRegRefNum(handle);
  // The temporary above counted the handle once more; it went again with the temporary, so the
  // key holder now holds the one count of the new handle.
  if (existed != NULL) *existed = disposition != REG_CREATED_NEW_KEY;
}

CTqRegKey::CTqRegKey(const CTqRegKey& other)
    : m_key(other.m_key), m_parent(other.m_parent), m_subKey(other.m_subKey), m_access(other.m_access) {}

CTqRegKey::~CTqRegKey() {}

bool CTqRegKey::KeyExists(const char* name) const {
  HKEY handle = NULL;
  if (RegOpenKeyEx(GetHandle(), name, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

bool CTqRegKey::ValueExists(const char* name) const {
  return RegQueryValueEx(GetHandle(), name, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
}

CTqRegValues CTqRegKey::GetValues() const { return CTqRegValues(*this); }

// --- CTqRegValues / CTqRegKeys --------------------------------------------------------------

CTqRegValues::CTqRegValues(const CTqRegKey& key) : m_key(key) {}
CTqRegValues::~CTqRegValues() {}

CTqRegValue CTqRegValues::GetValue(const char* name) const { return CTqRegValue(m_key, name); }

DWORD CTqRegValues::GetCount() const {
  DWORD values = 0;
  ThrowIfFailed(RegQueryInfoKey(m_key.GetHandle(), NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL,
                                NULL, NULL));
  return values;
}

CTqRegKeys::CTqRegKeys(const CTqRegKey& key) : m_key(key) {}
CTqRegKeys::~CTqRegKeys() {}

DWORD CTqRegKeys::GetCount() const {
  DWORD subKeys = 0;
  ThrowIfFailed(RegQueryInfoKey(m_key.GetHandle(), NULL, NULL, NULL, &subKeys, NULL, NULL, NULL, NULL, NULL,
                                NULL, NULL));
  return subKeys;
}

CTqRegKey CTqRegKeys::OpenKey(const char* name) const {
  return CTqRegKey(m_key.GetHandle(), name, 0, KEY_ALL_ACCESS, NULL, NULL);
}

CTqRegKey CTqRegKeys::OpenKey(const char* name, DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                              BOOL* existed) const {
  return CTqRegKey(m_key.GetHandle(), name, options, access, security, existed);
}

// --- CTqRegValue ----------------------------------------------------------------------------

CTqRegValue::CTqRegValue(const CTqRegKey& key, const char* name) : m_key(key), m_name(name) {}
CTqRegValue::~CTqRegValue() {}

void CTqRegValue::Query(DWORD& type, DWORD& size) const {
  type = REG_NONE;
  size = 0;
  ThrowIfFailed(RegQueryValueEx(m_key.GetHandle(), m_name, NULL, &type, NULL, &size));
}

void CTqRegValue::GetString(CString& out) const {
  DWORD type, size;
  Query(type, size);
  if (type != REG_SZ) ThrowSystemException(ERROR_INVALID_DATATYPE);
  if (size == 0) {
    out.Empty();
    return;
  }
  // One byte more than stored, always NUL: data written without its terminating NUL must not
  // make the text run past the end of what was read.
  std::vector<BYTE> buffer(size + 1, 0);
  DWORD read = size;
  ThrowIfFailed(RegQueryValueEx(m_key.GetHandle(), m_name, NULL, &type, buffer.data(), &read));
  if (type != REG_SZ) ThrowSystemException(ERROR_INVALID_DATATYPE);
  buffer[read < size ? read : size] = 0;
  out = reinterpret_cast<const char*>(buffer.data());
}

void CTqRegValue::GetDWord(DWORD& out) const {
  DWORD type, size;
  Query(type, size);
  if (type != REG_DWORD || size > sizeof(DWORD)) ThrowSystemException(ERROR_INVALID_DATATYPE);
  ThrowIfFailed(RegQueryValueEx(m_key.GetHandle(), m_name, NULL, &type, reinterpret_cast<BYTE*>(&out), &size));
}

void CTqRegValue::GetBinary(BYTE* buffer, DWORD size) const {
  DWORD type, stored;
  Query(type, stored);
  if (type != REG_BINARY || stored > size) ThrowSystemException(ERROR_INVALID_DATATYPE);
  ThrowIfFailed(RegQueryValueEx(m_key.GetHandle(), m_name, NULL, &type, buffer, &stored));
}

int CTqRegValue::GetType() const {
  DWORD type, size;
  Query(type, size);
  switch (type) {
    case REG_SZ:
      return typeString;
    case REG_BINARY:
      return typeBinary;
    case REG_DWORD:
      return typeDWord;
    default:
      return typeOther;
  }
}

void CTqRegValue::SetString(const char* text) {
  ThrowIfFailed(RegSetValueEx(m_key.GetHandle(), m_name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                              static_cast<DWORD>(std::strlen(text) + 1)));
}

void CTqRegValue::SetDWord(DWORD value) {
  ThrowIfFailed(
      RegSetValueEx(m_key.GetHandle(), m_name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value));
}

}  // namespace TQ
