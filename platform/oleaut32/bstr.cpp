// BSTR allocation: a 4-byte byte length, the characters, then a NUL character (two zero bytes,
// and one more zero byte after an odd byte length). The BSTR points just past the length, so
// SysStringLen is the stored length / 2 and embedded NULs are part of the string.
#include <oleauto.h>

#include <cstdlib>
#include <cstring>
#include <limits>

#include "automation_state.h"

namespace {

constexpr size_t kPrefix = sizeof(DWORD);

DWORD* PrefixOf(BSTR bstr) { return reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(bstr) - kPrefix); }

// A BSTR of `bytes` bytes, filled from `source` when given, else zero. Null when the size does
// not fit the 32-bit length or memory runs out.
BSTR Allocate(const void* source, size_t bytes) {
  if (bytes > std::numeric_limits<DWORD>::max() - 2 * kPrefix) return nullptr;
  auto* block = static_cast<BYTE*>(std::malloc(kPrefix + bytes + 3));  // NUL character + padding
  if (block == nullptr) return nullptr;
  const DWORD length = static_cast<DWORD>(bytes);
  std::memcpy(block, &length, kPrefix);
  if (source != nullptr && bytes != 0) {
    std::memcpy(block + kPrefix, source, bytes);
  } else {
    std::memset(block + kPrefix, 0, bytes);
  }
  std::memset(block + kPrefix + bytes, 0, 3);
  oleaut32::BstrAllocated();
  return reinterpret_cast<BSTR>(block + kPrefix);
}

size_t Length(const OLECHAR* text) {
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

}  // namespace

extern "C" {

// Null for null.
WINOLEAUTAPI_(BSTR) SysAllocString(const OLECHAR* psz) {
  if (psz == nullptr) return nullptr;
  return Allocate(psz, Length(psz) * sizeof(OLECHAR));
}

// `ui` characters copied from strIn, which may hold NULs; a null strIn gives zeroed characters.
WINOLEAUTAPI_(BSTR) SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
  return Allocate(strIn, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

// `len` bytes copied from psz unchanged (no code-page conversion); a null psz gives zero bytes.
WINOLEAUTAPI_(BSTR) SysAllocStringByteLen(LPCSTR psz, UINT len) { return Allocate(psz, len); }

// The new string is made before the old one is freed, so psz may point into *pbstr.
WINOLEAUTAPI_(INT) SysReAllocString(BSTR* pbstr, const OLECHAR* psz) {
  if (pbstr == nullptr) return FALSE;
  BSTR fresh = psz ? Allocate(psz, Length(psz) * sizeof(OLECHAR)) : Allocate(nullptr, 0);
  if (fresh == nullptr) return FALSE;
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return TRUE;
}

WINOLEAUTAPI_(INT) SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len) {
  if (pbstr == nullptr) return FALSE;
  BSTR fresh = Allocate(psz, static_cast<size_t>(len) * sizeof(OLECHAR));
  if (fresh == nullptr) return FALSE;
  SysFreeString(*pbstr);
  *pbstr = fresh;
  return TRUE;
}

WINOLEAUTAPI_(void) SysFreeString(BSTR bstrString) {
  if (bstrString == nullptr) return;
  std::free(PrefixOf(bstrString));
  oleaut32::BstrFreed();
}

WINOLEAUTAPI_(UINT) SysStringLen(BSTR pbstr) { return pbstr ? *PrefixOf(pbstr) / sizeof(OLECHAR) : 0; }

WINOLEAUTAPI_(UINT) SysStringByteLen(BSTR bstr) { return bstr ? *PrefixOf(bstr) : 0; }

}  // extern "C"
