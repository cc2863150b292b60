// What the rest of MFC uses of the module states (module_state.cpp).
#pragma once

#include <afxwin.h>

#include <mutex>
#include <vector>

namespace mfc42 {

// The module that holds `address`, or NULL.
HMODULE ModuleOf(const void* address);
// Guards every module state's fields and library list.
std::mutex& ModuleStateLock();
// The state a module's objects belong to: a regular DLL's own when `address` lies in one, else
// the application's.
AFX_MODULE_STATE* ModuleStateOfAddress(const void* address);
// The modules a resource is looked for in, in order, as the module holding `caller` sees it from
// the calling thread's current state (afx_module.h gives the order).
std::vector<HMODULE> ResourceChain(const void* caller);

}  // namespace mfc42
