// The modules MFC looks for resources in, in order.
#pragma once

#include <windows.h>

#include <vector>

namespace mfc42 {

// The resource handle's module (AfxGetResourceHandle), then every other module that carries
// resources, in load order. CString::LoadString and AfxFindResourceHandle both walk it.
std::vector<HMODULE> ResourceChain();

}  // namespace mfc42
