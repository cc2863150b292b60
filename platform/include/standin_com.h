// Built-in classes: how a stand-in module offers a COM class without a registry entry or a
// server module of its own (the XML DOM's DOMDocument, for instance). Not a platform header:
// system code never includes it.
//
// CoGetClassObject and CoCreateInstance look here before HKEY_CLASSES_ROOT, and
// CLSIDFromProgID / ProgIDFromCLSID know the registered ProgIDs. A built-in class serves the
// contexts it was registered for (StandinRegisterClass: CLSCTX_INPROC_SERVER only; a stand-in of
// a program that runs as its own process on Windows, such as the IDE, also names
// CLSCTX_LOCAL_SERVER) and refuses an outer unknown with CLASS_E_NOAGGREGATION. A request whose
// contexts share none with the class's falls through to the registry. Registration lasts for
// the life of the process (sandbox::Reset() leaves it alone); a module registers from a static
// initialiser.
#pragma once

#include "objbase.h"

// Makes one object and returns its interface `riid` in *ppv (S_OK), or a failing HRESULT with
// *ppv null. Called on the thread that asked CoCreateInstance.
typedef HRESULT (*STANDIN_CREATE_INSTANCE)(REFIID riid, void** ppv);

extern "C" {

// Registers or replaces the class `clsid`. `progId` may be null; a ProgID is matched without
// regard to case. E_INVALIDARG for a null `create`.
STANDIN_API HRESULT StandinRegisterClass(REFCLSID clsid, const char* progId, STANDIN_CREATE_INSTANCE create);
// The same for a class that serves `contexts` (CLSCTX_* flags; E_INVALIDARG when none of
// CLSCTX_INPROC_SERVER and CLSCTX_LOCAL_SERVER is among them).
STANDIN_API HRESULT StandinRegisterClassEx(REFCLSID clsid, const char* progId, STANDIN_CREATE_INSTANCE create,
                                           DWORD contexts);
// Removes the class; S_FALSE when it was not registered.
STANDIN_API HRESULT StandinUnregisterClass(REFCLSID clsid);

}  // extern "C"
