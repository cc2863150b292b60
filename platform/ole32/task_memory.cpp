// The task allocator: CoTaskMemAlloc gives a valid block even for 0 bytes; CoTaskMemRealloc of
// null allocates and to 0 bytes frees; CoTaskMemFree of null does nothing.
#include <objbase.h>

#include <cstdlib>

extern "C" {

WINOLEAPI_(LPVOID) CoTaskMemAlloc(SIZE_T cb) { return std::malloc(cb ? cb : 1); }

WINOLEAPI_(LPVOID) CoTaskMemRealloc(LPVOID pv, SIZE_T cb) {
  if (pv != nullptr && cb == 0) {
    std::free(pv);
    return nullptr;
  }
  return std::realloc(pv, cb ? cb : 1);
}

WINOLEAPI_(void) CoTaskMemFree(LPVOID pv) { std::free(pv); }

}  // extern "C"
