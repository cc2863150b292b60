// Local memory: LocalAlloc/LocalFree of fixed blocks (LMEM_FIXED, optionally zeroed).
#include <windows.h>

#include <cstdlib>
#include <cstring>

extern "C" {

WINBASEAPI HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  void* block = std::malloc(bytes ? bytes : 1);
  if (block == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (flags & LMEM_ZEROINIT) std::memset(block, 0, bytes ? bytes : 1);
  return block;
}

// Returns NULL on success, as documented.
WINBASEAPI HLOCAL WINAPI LocalFree(HLOCAL memory) {
  std::free(memory);
  return nullptr;
}

}  // extern "C"
