// CoGetClassObject, CoCreateInstance and CoFreeUnusedLibraries. A class is found in the table of
// built-in classes first (when it serves one of the contexts asked), then under
// HKCR\CLSID\{clsid}\InprocServer32, whose default value is the Windows path of the server
// module; the module's DllGetClassObject gives the class object.
// Results as documented: CO_E_NOTINITIALIZED without an apartment, REGDB_E_CLASSNOTREG for a
// class with no server for the context asked, CO_E_DLLNOTFOUND / CO_E_ERRORINDLL for a server
// that does not load or has no entry point; the class object's and the factory's own results
// (E_NOINTERFACE, CLASS_E_NOAGGREGATION, ...) are passed on.
#include <objbase.h>

#include <string>

#include "apartments.h"
#include "builtin_classes.h"
#include "class_keys.h"
#include "guid_text.h"
#include "sandbox/internal.h"
#include "server_modules.h"

namespace ole32 {
namespace {

// The server path as written, without the quotes an installer may put around it.
std::string Unquoted(std::string path) {
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return path;
}

}  // namespace
}  // namespace ole32

extern "C" {

WINOLEAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_INVALIDARG;
  *ppv = nullptr;
  if (!ole32::CallerHasApartment()) return CO_E_NOTINITIALIZED;
  if (pvReserved != nullptr) STANDIN_UNMODELLED_RETURN(E_NOTIMPL);  // activation on another machine

  if (const auto builtin = ole32::FindBuiltinClass(rclsid); builtin && (dwClsContext & builtin->contexts))
    return ole32::BuiltinClassFactory(builtin->create, riid, ppv);
  const std::string classKey = ole32::ClassKey(rclsid);
  if (dwClsContext & CLSCTX_INPROC_SERVER) {
    const auto path = ole32::ClassesRootDefault(classKey + "\\InprocServer32");
    if (path && !ole32::Unquoted(*path).empty())
      return ole32::ServerClassObject(ole32::Unquoted(*path), rclsid, riid, ppv);
  }
  if ((dwClsContext & CLSCTX_LOCAL_SERVER) && ole32::ClassesRootKeyExists(classKey + "\\LocalServer32"))
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);  // out-of-process servers are not started
  return REGDB_E_CLASSNOTREG;
}

WINOLEAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  IClassFactory* factory = nullptr;
  HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  hr = factory->CreateInstance(pUnkOuter, riid, ppv);
  factory->Release();
  if (FAILED(hr)) *ppv = nullptr;
  return hr;
}

WINOLEAPI_(void) CoFreeUnusedLibraries() { ole32::FreeUnusedServers(); }

}  // extern "C"
