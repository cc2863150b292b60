// The module object (atlbase.h): the object map's class factories, registration from REGISTRY
// resources and the module's type library.
#include <atlbase.h>

#include <string>

#include "registrar.h"
#include "ole32/class_keys.h"

namespace {

// The module's full path (Windows form).
std::string ModulePath(HINSTANCE module) {
  char path[MAX_PATH] = "";
  const DWORD n = GetModuleFileName(module, path, sizeof path);
  return std::string(path, n);
}

// The resource's text, up to its end or a NUL; false with the loader's error when it is missing.
bool ResourceText(HINSTANCE module, LPCTSTR name, std::string& text, HRESULT& error) {
  const HRSRC found = FindResource(module, name, "REGISTRY");
  const HGLOBAL loaded = found != NULL ? LoadResource(module, found) : NULL;
  const void* data = loaded != NULL ? LockResource(loaded) : NULL;
  if (data == NULL) {
    const DWORD code = GetLastError();
    error = HRESULT_FROM_WIN32(code != 0 ? code : ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
  }
  text.assign(static_cast<const char*>(data), SizeofResource(module, found));
  return true;
}

std::string ResourceName(LPCTSTR name) {
  if (IS_INTRESOURCE(name)) return "REGISTRY " + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  return std::string("REGISTRY ") + name;
}

// "module path" or "module path\N" for the type library resource N.
std::u16string TypeLibPath(HINSTANCE module, LPCTSTR index) {
  std::string path = ModulePath(module);
  if (index != NULL && index[0] != '\0') path += index;
  return ole32::ToWide(path);
}

}  // namespace

CComModule::CComModule()
    : m_pObjMap(NULL),
      m_hInst(NULL),
      m_hInstResource(NULL),
      m_hInstTypeLib(NULL),
      m_libid(GUID_NULL),
      m_nLockCnt(0),
      m_bInit(false) {
  m_csObjMap.Init();
}

CComModule::~CComModule() {
  Term();
  m_csObjMap.Term();
}

HRESULT CComModule::Init(_ATL_OBJMAP_ENTRY* p, HINSTANCE h, const GUID* plibid) {
  m_pObjMap = p;
  m_hInst = m_hInstResource = m_hInstTypeLib = h;
  m_libid = plibid != NULL ? *plibid : GUID_NULL;
  m_nLockCnt = 0;
  m_bInit = true;
  return S_OK;
}

void CComModule::Term() {
  if (!m_bInit) return;
  m_bInit = false;
  if (m_pObjMap == NULL) return;
  for (_ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry->pclsid != NULL; ++entry) {
    if (entry->pCF != NULL) entry->pCF->Release();
    entry->pCF = NULL;
  }
}

HRESULT CComModule::GetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (ppv == NULL) return E_POINTER;
  *ppv = NULL;
  if (m_pObjMap == NULL) return CLASS_E_CLASSNOTAVAILABLE;
  for (_ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry->pclsid != NULL; ++entry) {
    if (!InlineIsEqualGUID(rclsid, *entry->pclsid)) continue;
    HRESULT hr = S_OK;
    m_csObjMap.Lock();
    if (entry->pCF == NULL) {
      // The factory is handed the creator of the class's objects.
      hr = entry->pfnGetClassObject(reinterpret_cast<void*>(entry->pfnCreateInstance), IID_IUnknown,
                                    reinterpret_cast<void**>(&entry->pCF));
    }
    m_csObjMap.Unlock();
    if (FAILED(hr)) return hr;
    return entry->pCF->QueryInterface(riid, ppv);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CComModule::RegisterServer(BOOL bRegTypeLib, const CLSID* pCLSID) {
  if (m_pObjMap != NULL) {
    for (_ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry->pclsid != NULL; ++entry) {
      if (pCLSID != NULL && !InlineIsEqualGUID(*pCLSID, *entry->pclsid)) continue;
      const HRESULT hr = entry->pfnUpdateRegistry(TRUE);
      if (FAILED(hr)) return hr;
    }
  }
  return bRegTypeLib ? RegisterTypeLib() : S_OK;
}

HRESULT CComModule::UnregisterServer(BOOL bUnRegTypeLib, const CLSID* pCLSID) {
  if (m_pObjMap != NULL) {
    for (_ATL_OBJMAP_ENTRY* entry = m_pObjMap; entry->pclsid != NULL; ++entry) {
      if (pCLSID != NULL && !InlineIsEqualGUID(*pCLSID, *entry->pclsid)) continue;
      const HRESULT hr = entry->pfnUpdateRegistry(FALSE);
      if (FAILED(hr)) return hr;
    }
  }
  return bUnRegTypeLib ? UnRegisterTypeLib() : S_OK;
}

HRESULT CComModule::UpdateRegistryFromResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries) {
  return UpdateRegistryFromResource(MAKEINTRESOURCE(nResID), bRegister, pMapEntries);
}

HRESULT CComModule::UpdateRegistryFromResource(LPCTSTR lpszRes, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries) {
  std::string script;
  HRESULT error = S_OK;
  if (!ResourceText(m_hInstResource, lpszRes, script, error)) return error;
  atl::Replacements replacements;
  replacements["MODULE"] = ModulePath(m_hInst);
  for (_ATL_REGMAP_ENTRY* entry = pMapEntries; entry != NULL && entry->szKey != NULL; ++entry)
    replacements[ole32::ToAnsi(entry->szKey)] = ole32::ToAnsi(entry->szData);
  return atl::RunScript(script, replacements, bRegister != FALSE, ResourceName(lpszRes));
}

HRESULT CComModule::RegisterTypeLib(LPCTSTR lpszIndex) {
  const std::u16string path = TypeLibPath(m_hInstTypeLib, lpszIndex);
  ITypeLib* typeLib = NULL;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLib);
  if (FAILED(hr)) return hr;
  // Help files lie beside the module.
  const std::string modulePath = ModulePath(m_hInstTypeLib);
  const std::u16string folder = ole32::ToWide(modulePath.substr(0, modulePath.find_last_of('\\') + 1));
  hr = ::RegisterTypeLib(typeLib, path.c_str(), folder.c_str());
  typeLib->Release();
  return hr;
}

HRESULT CComModule::UnRegisterTypeLib(LPCTSTR lpszIndex) {
  const std::u16string path = TypeLibPath(m_hInstTypeLib, lpszIndex);
  ITypeLib* typeLib = NULL;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLib);
  if (FAILED(hr)) return hr;
  TLIBATTR* attributes = NULL;
  hr = typeLib->GetLibAttr(&attributes);
  if (SUCCEEDED(hr)) {
    hr = ::UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum, attributes->lcid,
                             attributes->syskind);
    typeLib->ReleaseTLibAttr(attributes);
  }
  typeLib->Release();
  return hr;
}
