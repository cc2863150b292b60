// Type libraries: LoadTypeLibEx reads a module's TYPELIB resource (a description, see
// typelib_description.h), RegisterTypeLib and UnRegisterTypeLib write and remove the keys under
// HKEY_CLASSES_ROOT that the platform's type library registration writes.
#include <oleauto.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "ole32/class_keys.h"
#include "registry_tree.h"
#include "sandbox/internal.h"
#include "typelib_description.h"

// How RegisterTypeLib knows a type library of its own.
STANDIN_INTERFACE(IStandinTypeLibrary, "6B0E3C52-0D7A-4F31-9E48-1C2A5D7F3E90") : public IUnknown {
  virtual const typelib::Library& Description() = 0;

 protected:
  ~IStandinTypeLibrary() = default;
};

namespace oleaut32 {

LONG DeleteRegistryTree(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  LONG status = RegOpenKeyEx(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  // A name may be longer than the platform's 255 characters (the sandbox's registry takes it):
  // the buffer is as long as the longest.
  DWORD longest = 0;
  status = RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr);
  std::string child(longest + 1, '\0');
  while (status == ERROR_SUCCESS) {
    DWORD length = static_cast<DWORD>(child.size());
    status = RegEnumKeyEx(key, 0, child.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) status = DeleteRegistryTree(key, child.substr(0, length));
  }
  RegCloseKey(key);
  if (status != ERROR_NO_MORE_ITEMS) return status;
  return RegDeleteKey(parent, name.c_str());
}

namespace {

// The proxy and stub classes of Automation: of dispatch interfaces, and of dual interfaces
// (marshalled through their type library).
constexpr char kDispatchProxy[] = "{00020420-0000-0000-C000-000000000046}";
constexpr char kDualProxy[] = "{00020424-0000-0000-C000-000000000046}";

BSTR NewBstr(const std::string& text) {
  const std::u16string wide = ole32::ToWide(text);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

GUID GuidOf(const std::string& braced) {
  GUID guid = GUID_NULL;
  if (braced.size() == 38) standin::ParseGuidDigits(braced.c_str() + 1, guid);
  return guid;
}

std::string GuidText(REFGUID guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(guid.Data1),
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", value);
  return text;
}

std::string VersionText(unsigned major, unsigned minor) { return Hex(major) + "." + Hex(minor); }

const char* SysKindName(SYSKIND kind) {
  switch (kind) {
    case SYS_WIN16: return "win16";
    case SYS_WIN32: return "win32";
    case SYS_MAC: return "mac";
    case SYS_WIN64: return "win64";
  }
  return nullptr;
}

class TypeLibrary final : public ITypeLib, public IStandinTypeLibrary {
 public:
  explicit TypeLibrary(typelib::Library description) : description_(std::move(description)) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_ITypeLib)
      *ppv = static_cast<ITypeLib*>(this);
    else if (riid == __uuidof(IStandinTypeLibrary))
      *ppv = static_cast<IStandinTypeLibrary*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP_(UINT) GetTypeInfoCount() override {
    return static_cast<UINT>(description_.interfaces.size() + description_.coclasses.size());
  }
  STDMETHODIMP GetTypeInfo(UINT, ITypeInfo** ppTInfo) override {
    if (ppTInfo != nullptr) *ppTInfo = nullptr;
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  }
  // The interfaces in their order, then the classes.
  STDMETHODIMP GetTypeInfoType(UINT index, TYPEKIND* pTKind) override {
    if (pTKind == nullptr) return E_INVALIDARG;
    if (index >= GetTypeInfoCount()) return TYPE_E_ELEMENTNOTFOUND;
    if (index >= description_.interfaces.size())
      *pTKind = TKIND_COCLASS;
    else
      *pTKind = description_.interfaces[index].kind == typelib::Interface::kDual ? TKIND_INTERFACE : TKIND_DISPATCH;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfoOfGuid(REFGUID, ITypeInfo** ppTinfo) override {
    if (ppTinfo != nullptr) *ppTinfo = nullptr;
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  }
  STDMETHODIMP GetLibAttr(TLIBATTR** ppTLibAttr) override {
    if (ppTLibAttr == nullptr) return E_INVALIDARG;
    auto* attributes = new TLIBATTR{};
    attributes->guid = GuidOf(description_.libid);
    attributes->lcid = 0;
    attributes->syskind = SYS_WIN32;
    attributes->wMajorVerNum = static_cast<WORD>(description_.major);
    attributes->wMinorVerNum = static_cast<WORD>(description_.minor);
    attributes->wLibFlags = 0;
    *ppTLibAttr = attributes;
    return S_OK;
  }
  STDMETHODIMP GetTypeComp(ITypeComp** ppTComp) override {
    if (ppTComp != nullptr) *ppTComp = nullptr;
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  }
  // -1: the library's name and help string; else the type's name. No help context or file.
  STDMETHODIMP GetDocumentation(INT index, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                BSTR* pBstrHelpFile) override {
    std::string name, doc;
    if (index == -1) {
      name = description_.name;
      doc = description_.helpString;
    } else if (index >= 0 && static_cast<UINT>(index) < GetTypeInfoCount()) {
      const size_t i = static_cast<size_t>(index);
      name = i < description_.interfaces.size() ? description_.interfaces[i].name
                                                 : description_.coclasses[i - description_.interfaces.size()].name;
    } else {
      return TYPE_E_ELEMENTNOTFOUND;
    }
    if (pBstrName != nullptr) *pBstrName = NewBstr(name);
    if (pBstrDocString != nullptr) *pBstrDocString = doc.empty() ? nullptr : NewBstr(doc);
    if (pdwHelpContext != nullptr) *pdwHelpContext = 0;
    if (pBstrHelpFile != nullptr) *pBstrHelpFile = nullptr;
    return S_OK;
  }
  STDMETHODIMP IsName(LPOLESTR, ULONG, BOOL* pfName) override {
    if (pfName != nullptr) *pfName = FALSE;
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  }
  STDMETHODIMP FindName(LPOLESTR, ULONG, ITypeInfo**, MEMBERID*, USHORT* pcFound) override {
    if (pcFound != nullptr) *pcFound = 0;
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  }
  STDMETHODIMP_(void) ReleaseTLibAttr(TLIBATTR* pTLibAttr) override { delete pTLibAttr; }

  const typelib::Library& Description() override { return description_; }

 private:
  ~TypeLibrary() = default;
  std::atomic<ULONG> references_{1};
  const typelib::Library description_;
};

// The module file and resource number a LoadTypeLibEx path names.
bool SplitPath(const std::string& path, std::string& module, WORD& resource) {
  if (GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    module = path;
    resource = 1;
    return true;
  }
  const size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos || slash + 1 >= path.size() || path.size() - slash > 6) return false;
  unsigned long number = 0;
  for (size_t i = slash + 1; i < path.size(); ++i) {
    if (path[i] < '0' || path[i] > '9') return false;
    number = number * 10 + static_cast<unsigned long>(path[i] - '0');
  }
  if (number == 0 || number > 0xFFFF) return false;
  module = path.substr(0, slash);
  resource = static_cast<WORD>(number);
  return GetFileAttributes(module.c_str()) != INVALID_FILE_ATTRIBUTES;
}

LONG SetString(HKEY parent, const std::string& subKey, const char* name, const std::string& value) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyEx(parent, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return status;
}

std::string StringValue(HKEY parent, const std::string& subKey, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(parent, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  char data[512] = "";
  DWORD type = 0, size = sizeof data - 1;
  const bool read = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS &&
                    type == REG_SZ;
  RegCloseKey(key);
  return read ? std::string(data) : std::string();
}

std::vector<std::string> Subkeys(HKEY parent, const std::string& subKey) {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyEx(parent, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof name;
    if (RegEnumKeyEx(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(key);
  return names;
}

// A locale's key under a version: a hexadecimal number (FLAGS and HELPDIR are not).
bool IsLocaleKey(const std::string& name) {
  return !name.empty() && name.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

}  // namespace
}  // namespace oleaut32

extern "C" {

WINOLEAUTAPI LoadTypeLibEx(LPCOLESTR szFile, REGKIND regkind, ITypeLib** pptlib) {
  if (pptlib == nullptr || szFile == nullptr) return E_INVALIDARG;
  *pptlib = nullptr;
  if (regkind != REGKIND_NONE && regkind != REGKIND_REGISTER) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  const std::string path = ole32::ToAnsi(szFile);
  std::string modulePath;
  WORD number = 1;
  if (!oleaut32::SplitPath(path, modulePath, number)) return TYPE_E_CANTLOADLIBRARY;
  // The module is held while its resource is read (a module not loaded yet is loaded for it).
  const HMODULE module = LoadLibrary(modulePath.c_str());
  if (module == nullptr) return TYPE_E_CANTLOADLIBRARY;
  const HRSRC found = FindResource(module, MAKEINTRESOURCE(number), "TYPELIB");
  const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const char* data = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (data == nullptr) {
    FreeLibrary(module);
    return TYPE_E_CANTLOADLIBRARY;
  }
  std::string text(data, SizeofResource(module, found));
  FreeLibrary(module);
  typelib::Library description;
  std::string error;
  if (!typelib::Parse(text.substr(0, text.find('\0')), description, &error)) {
    OutputDebugString((path + ": TYPELIB " + std::to_string(number) + " is not a type library description: " + error).c_str());
    return TYPE_E_UNSUPFORMAT;
  }
  ITypeLib* library = new oleaut32::TypeLibrary(std::move(description));
  if (regkind == REGKIND_REGISTER) {
    const std::string folder = modulePath.substr(0, modulePath.find_last_of('\\') + 1);
    const HRESULT hr = RegisterTypeLib(library, szFile, ole32::ToWide(folder).c_str());
    if (FAILED(hr)) {
      library->Release();
      return hr;
    }
  }
  *pptlib = library;
  return S_OK;
}

WINOLEAUTAPI RegisterTypeLib(ITypeLib* ptlib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir) {
  if (ptlib == nullptr || szFullPath == nullptr) return E_INVALIDARG;
  IStandinTypeLibrary* own = nullptr;
  if (FAILED(ptlib->QueryInterface(__uuidof(IStandinTypeLibrary), reinterpret_cast<void**>(&own))))
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);  // a type library that LoadTypeLibEx did not make
  const typelib::Library& library = own->Description();
  const std::string version =
      "TypeLib\\" + library.libid + "\\" + oleaut32::VersionText(library.major, library.minor);
  LONG status = oleaut32::SetString(HKEY_CLASSES_ROOT, version, "",
                                    library.helpString.empty() ? library.name : library.helpString);
  if (status == ERROR_SUCCESS) status = oleaut32::SetString(HKEY_CLASSES_ROOT, version + "\\FLAGS", "", "0");
  if (status == ERROR_SUCCESS && szHelpDir != nullptr)
    status = oleaut32::SetString(HKEY_CLASSES_ROOT, version + "\\HELPDIR", "", ole32::ToAnsi(szHelpDir));
  if (status == ERROR_SUCCESS)
    status = oleaut32::SetString(HKEY_CLASSES_ROOT, version + "\\0\\win32", "", ole32::ToAnsi(szFullPath));
  for (size_t i = 0; status == ERROR_SUCCESS && i < library.interfaces.size(); ++i) {
    const typelib::Interface& declared = library.interfaces[i];
    const std::string key = "Interface\\" + declared.iid;
    const char* proxy = declared.kind == typelib::Interface::kDual ? oleaut32::kDualProxy : oleaut32::kDispatchProxy;
    status = oleaut32::SetString(HKEY_CLASSES_ROOT, key, "", declared.name);
    if (status == ERROR_SUCCESS) status = oleaut32::SetString(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid", "", proxy);
    if (status == ERROR_SUCCESS) status = oleaut32::SetString(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid32", "", proxy);
    if (status == ERROR_SUCCESS) status = oleaut32::SetString(HKEY_CLASSES_ROOT, key + "\\TypeLib", "", library.libid);
    if (status == ERROR_SUCCESS)
      status = oleaut32::SetString(HKEY_CLASSES_ROOT, key + "\\TypeLib", "Version", oleaut32::VersionText(library.major, library.minor));
  }
  own->Release();
  return status == ERROR_SUCCESS ? S_OK : TYPE_E_REGISTRYACCESS;
}

WINOLEAUTAPI UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID lcid, SYSKIND syskind) {
  const char* kind = oleaut32::SysKindName(syskind);
  if (kind == nullptr) return E_INVALIDARG;
  const std::string libidText = oleaut32::GuidText(libID);
  const std::string libraryKey = "TypeLib\\" + libidText;
  const std::string versionText = oleaut32::VersionText(wVerMajor, wVerMinor);
  const std::string versionKey = libraryKey + "\\" + versionText;
  const std::string localeKey = versionKey + "\\" + oleaut32::Hex(lcid);
  HKEY probe = nullptr;
  if (RegOpenKeyEx(HKEY_CLASSES_ROOT, (localeKey + "\\" + kind).c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS)
    return TYPE_E_REGISTRYACCESS;
  RegCloseKey(probe);

  LONG status = oleaut32::DeleteRegistryTree(HKEY_CLASSES_ROOT, localeKey + "\\" + kind);
  if (status == ERROR_SUCCESS && oleaut32::Subkeys(HKEY_CLASSES_ROOT, localeKey).empty())
    status = oleaut32::DeleteRegistryTree(HKEY_CLASSES_ROOT, localeKey);
  bool versionGone = false;
  if (status == ERROR_SUCCESS) {
    const std::vector<std::string> left = oleaut32::Subkeys(HKEY_CLASSES_ROOT, versionKey);
    if (std::none_of(left.begin(), left.end(), oleaut32::IsLocaleKey)) {
      status = oleaut32::DeleteRegistryTree(HKEY_CLASSES_ROOT, versionKey);
      versionGone = status == ERROR_SUCCESS;
    }
  }
  if (status == ERROR_SUCCESS && oleaut32::Subkeys(HKEY_CLASSES_ROOT, libraryKey).empty())
    status = oleaut32::DeleteRegistryTree(HKEY_CLASSES_ROOT, libraryKey);
  // The interfaces the library described go with its last registration of that version.
  if (status == ERROR_SUCCESS && versionGone) {
    for (const std::string& iid : oleaut32::Subkeys(HKEY_CLASSES_ROOT, "Interface")) {
      const std::string typeLibKey = "Interface\\" + iid + "\\TypeLib";
      if (lstrcmpi(oleaut32::StringValue(HKEY_CLASSES_ROOT, typeLibKey, "").c_str(), libidText.c_str()) != 0 ||
          lstrcmpi(oleaut32::StringValue(HKEY_CLASSES_ROOT, typeLibKey, "Version").c_str(), versionText.c_str()) != 0)
        continue;
      status = oleaut32::DeleteRegistryTree(HKEY_CLASSES_ROOT, "Interface\\" + iid);
      if (status != ERROR_SUCCESS) break;
    }
  }
  return status == ERROR_SUCCESS ? S_OK : TYPE_E_REGISTRYACCESS;
}

}  // extern "C"
