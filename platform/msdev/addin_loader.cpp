// Loading add-ins from the per-user registry (addin_loader.h).
#include "addin_loader.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>

#include "com_values.h"

namespace msdev {
namespace {

constexpr char kAddInsKey[] = "Software\\Microsoft\\DevStudio\\6.0\\AddIns";
constexpr char kLoadedValue[] = "Loaded";  // written after an add-in's first load

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof name;
    if (RegEnumKeyEx(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

// A REG_SZ value's text up to its NUL; "" when it is missing or of another type.
std::string StringValue(HKEY key, const char* name) {
  char data[256] = "";
  DWORD type = 0;
  DWORD size = sizeof data - 1;
  if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(data), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return "";
  data[size] = '\0';
  return data;
}

bool DwordValue(HKEY key, const char* name, DWORD& value) {
  DWORD type = 0;
  DWORD size = sizeof value;
  return RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) == ERROR_SUCCESS &&
         type == REG_DWORD && size == sizeof value;
}

}  // namespace

void AddInLoader::LoadAll(IDispatch* application, const std::function<void(long cookie)>& forget) {
  HKEY addIns = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, kAddInsKey, 0, KEY_READ, &addIns) != ERROR_SUCCESS) return;
  const std::vector<std::string> progIds = SubkeyNames(addIns);
  RegCloseKey(addIns);
  for (const std::string& progId : progIds) Load(progId, application, forget);
}

// One add-in: its key says whether it is to be loaded and whether it was before. The add-in is
// called with no lock held: it calls the IDE back while it connects.
void AddInLoader::Load(const std::string& progId, IDispatch* application,
                       const std::function<void(long cookie)>& forget) {
  const std::string keyPath = std::string(kAddInsKey) + "\\" + progId;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ | KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
    Note(progId + ": the add-in's key cannot be opened");
    return;
  }
  DWORD loadedBefore = 0;
  const bool enabled = StringValue(key, "") == "1";
  const bool firstTime = !DwordValue(key, kLoadedValue, loadedBefore) || loadedBefore == 0;
  if (!enabled) {
    RegCloseKey(key);
    return;
  }
  CLSID clsid;
  BSTR wide = NewBstr(progId);
  HRESULT hr = CLSIDFromProgID(wide, &clsid);
  SysFreeString(wide);
  IDSAddIn* addIn = nullptr;
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDSAddIn, reinterpret_cast<void**>(&addIn));
  if (FAILED(hr)) {
    Note(progId + ": the add-in cannot be made (" + LogHresult(hr) + ")");
    RegCloseKey(key);
    return;
  }
  long cookie;
  {
    std::lock_guard<std::mutex> g(lock_);
    cookie = nextCookie_++;
  }
  VARIANT_BOOL loaded = VARIANT_FALSE;
  hr = addIn->OnConnection(application, firstTime ? VARIANT_TRUE : VARIANT_FALSE, cookie, &loaded);
  if (FAILED(hr) || loaded == VARIANT_FALSE) {
    Note(progId + (FAILED(hr) ? ": OnConnection failed (" + LogHresult(hr) + ")" : ": the add-in did not load"));
    addIn->Release();
    RegCloseKey(key);
    forget(cookie);
    return;
  }
  if (firstTime) {
    const DWORD one = 1;
    RegSetValueEx(key, kLoadedValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
  }
  RegCloseKey(key);
  std::lock_guard<std::mutex> g(lock_);
  loaded_.push_back({progId, cookie, firstTime, addIn});
}

void AddInLoader::DisconnectAll(bool tell) {
  std::vector<Entry> loaded;
  {
    std::lock_guard<std::mutex> g(lock_);
    loaded.swap(loaded_);
  }
  for (const Entry& entry : loaded) {
    if (tell) {
      const HRESULT hr = entry.addIn->OnDisconnection(VARIANT_FALSE);
      if (FAILED(hr)) Note(entry.progId + ": OnDisconnection failed (" + LogHresult(hr) + ")");
    }
    entry.addIn->Release();
  }
}

long AddInLoader::Unload(const std::string& progId) {
  Entry entry{};
  {
    std::lock_guard<std::mutex> g(lock_);
    const auto it = std::find_if(loaded_.begin(), loaded_.end(),
                                 [&](const Entry& e) { return lstrcmpi(e.progId.c_str(), progId.c_str()) == 0; });
    if (it == loaded_.end()) return 0;
    entry = *it;
    loaded_.erase(it);
  }
  const HRESULT hr = entry.addIn->OnDisconnection(VARIANT_TRUE);
  if (FAILED(hr)) Note(entry.progId + ": OnDisconnection failed (" + LogHresult(hr) + ")");
  entry.addIn->Release();
  const std::string keyPath = std::string(kAddInsKey) + "\\" + entry.progId;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegSetValueEx(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    RegCloseKey(key);
  }
  return entry.cookie;
}

std::vector<sandbox::msdev::AddIn> AddInLoader::Loaded() {
  std::lock_guard<std::mutex> g(lock_);
  std::vector<sandbox::msdev::AddIn> loaded;
  for (const Entry& e : loaded_) loaded.push_back({e.progId, static_cast<int32_t>(e.cookie), e.firstTime});
  return loaded;
}

std::vector<std::string> AddInLoader::Messages() {
  std::lock_guard<std::mutex> g(lock_);
  return messages_;
}

void AddInLoader::Clear() {
  std::lock_guard<std::mutex> g(lock_);
  messages_.clear();
  nextCookie_ = 1;
}

void AddInLoader::Note(const std::string& message) {
  std::lock_guard<std::mutex> g(lock_);
  messages_.push_back(message);
}

}  // namespace msdev
