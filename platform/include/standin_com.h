// Built-in classes: how a stand-in module offers a COM class without a registry entry or a
// server module of its own (the XML DOM's DOMDocument, for instance). Not a platform header:
// system code never includes it.
//
// CoGetClassObject and CoCreateInstance look here before HKEY_CLASSES_ROOT, and
// CLSIDFromProgID / ProgIDFromCLSID know the registered ProgIDs. A built-in class is an
// in-process server: it serves contexts that include CLSCTX_INPROC_SERVER, and refuses an
// outer unknown with CLASS_E_NOAGGREGATION. Registration lasts for the life of the process
// (sandbox::Reset() leaves it alone); a module registers from a static initialiser.
#pragma once

#include "objbase.h"

// Makes one object and returns its interface `riid` in *ppv (S_OK), or a failing HRESULT with
// *ppv null. Called on the thread that asked CoCreateInstance.
typedef HRESULT (*STANDIN_CREATE_INSTANCE)(REFIID riid, void** ppv);

extern "C" {

// Registers or replaces the class `clsid`. `progId` may be null; a ProgID is matched without
// regard to case. E_INVALIDARG for a null `create`.
STANDIN_API HRESULT StandinRegisterClass(REFCLSID clsid, const char* progId, STANDIN_CREATE_INSTANCE create);
// Removes the class; S_FALSE when it was not registered.
STANDIN_API HRESULT StandinUnregisterClass(REFCLSID clsid);

}  // extern "C"
