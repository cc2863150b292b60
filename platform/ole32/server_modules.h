// In-process servers: the modules that CoGetClassObject loaded, kept until they may unload.
#pragma once

#include <objbase.h>

#include <string>

namespace ole32 {

// Loads the server module at the Windows path `path` (once) and asks its DllGetClassObject.
// CO_E_DLLNOTFOUND when the module does not load, CO_E_ERRORINDLL when it has no
// DllGetClassObject; otherwise the entry point's own result.
HRESULT ServerClassObject(const std::string& path, REFCLSID clsid, REFIID riid, void** ppv);

// Unloads each server whose DllCanUnloadNow answers S_OK (servers without it stay).
void FreeUnusedServers();
// Unloads every server (the last apartment of the process is gone).
void FreeAllServers();

}  // namespace ole32
