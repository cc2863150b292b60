// ole32: the COM library. Apartments, class objects and instances, identifiers in text form,
// the task allocator, and the OLE start-up calls.
#pragma once

#include "unknwn.h"
#include "winbase.h"
#include "winerror.h"

#define WINOLEAPI STANDIN_API HRESULT STDAPICALLTYPE
#define WINOLEAPI_(type) STANDIN_API type STDAPICALLTYPE

// CoInitializeEx: the apartment kind of the calling thread.
typedef enum tagCOINIT {
  COINIT_MULTITHREADED = 0x0,
  COINIT_APARTMENTTHREADED = 0x2,
  COINIT_DISABLE_OLE1DDE = 0x4,
  COINIT_SPEED_OVER_MEMORY = 0x8,
} COINIT;

// Where a class's server may run.
typedef enum tagCLSCTX {
  CLSCTX_INPROC_SERVER = 0x1,
  CLSCTX_INPROC_HANDLER = 0x2,
  CLSCTX_LOCAL_SERVER = 0x4,
  CLSCTX_INPROC_SERVER16 = 0x8,
  CLSCTX_REMOTE_SERVER = 0x10,
  CLSCTX_INPROC_HANDLER16 = 0x20,
} CLSCTX;
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

// The in-process server entry points that CoGetClassObject and CoFreeUnusedLibraries call.
typedef HRESULT(STDAPICALLTYPE* LPFNGETCLASSOBJECT)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* LPFNCANUNLOADNOW)();

// What an in-process server module defines (and lists in its exports file), with regsvr32's
// DllRegisterServer and DllUnregisterServer beside them. Declared here with default visibility,
// as DllMain is in winbase.h, so a module's definitions are exported.
extern "C" {
STANDIN_API HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
STANDIN_API HRESULT STDAPICALLTYPE DllCanUnloadNow();
STANDIN_API HRESULT STDAPICALLTYPE DllRegisterServer();
STANDIN_API HRESULT STDAPICALLTYPE DllUnregisterServer();
}

struct IBindCtx;
typedef IBindCtx* LPBINDCTX;

// IRunnableObject: an object that has a loaded and a running state (OleRun asks for it).
STANDIN_INTERFACE(IRunnableObject, "00000126-0000-0000-C000-000000000046") : public IUnknown {
  STDMETHOD(GetRunningClass)(LPCLSID lpClsid) = 0;
  STDMETHOD(Run)(LPBINDCTX pbc) = 0;
  STDMETHOD_(BOOL, IsRunning)() = 0;
  STDMETHOD(LockRunning)(BOOL fLock, BOOL fLastUnlockCloses) = 0;
  STDMETHOD(SetContainedObject)(BOOL fContained) = 0;

 protected:
  ~IRunnableObject() = default;
};
typedef IRunnableObject* LPRUNNABLEOBJECT;
inline constexpr const IID& IID_IRunnableObject = __uuidof(IRunnableObject);

// The length of "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" with its terminating NUL.
#define CHARS_IN_GUID 39

extern "C" {

// Apartments, per thread.
WINOLEAPI CoInitialize(LPVOID pvReserved);
WINOLEAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
WINOLEAPI_(void) CoUninitialize();

// Classes and instances.
WINOLEAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
WINOLEAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, LPVOID pvReserved, REFIID riid, LPVOID* ppv);
WINOLEAPI_(void) CoFreeUnusedLibraries();

// Identifiers as text, and the ProgIDs of HKEY_CLASSES_ROOT.
WINOLEAPI_(int) StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
WINOLEAPI StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz);
WINOLEAPI StringFromIID(REFIID rclsid, LPOLESTR* lplpsz);
WINOLEAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
WINOLEAPI IIDFromString(LPCOLESTR lpsz, LPIID lpiid);
WINOLEAPI CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
WINOLEAPI ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID);
// A new identifier (version 4, random; the sandbox makes the sequence repeatable).
WINOLEAPI CoCreateGuid(GUID* pguid);

// The task allocator: memory that crosses an interface boundary.
WINOLEAPI_(LPVOID) CoTaskMemAlloc(SIZE_T cb);
WINOLEAPI_(LPVOID) CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
WINOLEAPI_(void) CoTaskMemFree(LPVOID pv);

// OLE over COM.
WINOLEAPI OleInitialize(LPVOID pvReserved);
WINOLEAPI_(void) OleUninitialize();
WINOLEAPI OleRun(LPUNKNOWN pUnknown);

}  // extern "C"
