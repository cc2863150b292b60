// GUID, IID and CLSID: the 16-byte identifiers of COM, their comparison, DEFINE_GUID, and
// __uuidof.
//
// There is no __declspec(uuid) on this compiler, so an identifier is attached to a type through a
// traits template instead: STANDIN_UUID(Type, "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx"), or
// STANDIN_INTERFACE(IFoo, "...") in place of the platform's MIDL_INTERFACE("...") IFoo, which
// declares the struct and attaches the identifier in one go. Both stand at global scope, where
// the platform's interfaces are declared (STANDIN_UUID(ns::Type, ...) names a type elsewhere):
//
//   STANDIN_INTERFACE(IFoo, "0d6e2a51-3c1f-4a8e-9b37-5f0c2d4e6a10") : public IUnknown { ... };
//   const IID& iid = __uuidof(IFoo);     // also __uuidof(IFoo*)
//
// __uuidof of a type without an attached identifier does not compile. The identifier text is
// checked while compiling: a malformed one does not compile either.
#pragma once

#include <cstring>
#include <type_traits>

#include "windef.h"

typedef struct _GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
typedef GUID* LPGUID;
typedef IID* LPIID;
typedef CLSID* LPCLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;
typedef const GUID* LPCGUID;

static_assert(sizeof(GUID) == 16, "GUID is 16 bytes");

// Two identifiers are the same when all 16 bytes are.
inline bool IsEqualGUID(REFGUID a, REFGUID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool InlineIsEqualGUID(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool operator!=(REFGUID a, REFGUID b) { return !IsEqualGUID(a, b); }

// DEFINE_GUID defines the named identifier wherever the header is included (an inline variable,
// so INITGUID is not needed and every module sees the same value).
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
  inline constexpr GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
#define DEFINE_OLEGUID(name, l, w1, w2) DEFINE_GUID(name, l, w1, w2, 0xC0, 0, 0, 0, 0, 0, 0, 0x46)

DEFINE_GUID(GUID_NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
#define IID_NULL GUID_NULL
#define CLSID_NULL GUID_NULL

namespace standin {

constexpr int HexDigitValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  return -1;
}

// Reads the 36 characters "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx" (hex digits of either case)
// at `text`; false when any of them is out of place. The caller checks what surrounds them.
template <typename Char>
constexpr bool ParseGuidDigits(const Char* text, GUID& out) {
  unsigned long long fields[5] = {0, 0, 0, 0, 0};
  constexpr int kLengths[5] = {8, 4, 4, 4, 12};
  int pos = 0;
  for (int f = 0; f < 5; ++f) {
    if (f > 0 && text[pos++] != '-') return false;
    for (int i = 0; i < kLengths[f]; ++i) {
      const int v = HexDigitValue(static_cast<char32_t>(text[pos++]));
      if (v < 0) return false;
      fields[f] = fields[f] * 16 + static_cast<unsigned long long>(v);
    }
  }
  out.Data1 = static_cast<DWORD>(fields[0]);
  out.Data2 = static_cast<WORD>(fields[1]);
  out.Data3 = static_cast<WORD>(fields[2]);
  out.Data4[0] = static_cast<BYTE>(fields[3] >> 8);
  out.Data4[1] = static_cast<BYTE>(fields[3]);
  for (int i = 0; i < 6; ++i) out.Data4[2 + i] = static_cast<BYTE>(fields[4] >> (8 * (5 - i)));
  return true;
}

// The identifier of STANDIN_UUID's text; a malformed text is not a constant and stops the build.
template <size_t N>
consteval GUID GuidFromLiteral(const char (&text)[N]) {
  static_assert(N == 37, "an identifier is written as xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx");
  GUID g{};
  if (!ParseGuidDigits(text, g)) throw "malformed identifier text";
  return g;
}

}  // namespace standin

// The identifier attached to a type. Only the specialisations that STANDIN_UUID writes exist.
template <typename T>
struct standin_uuid_traits {
  static_assert(!sizeof(T*), "no identifier attached to this type: declare it with STANDIN_UUID");
};

#define STANDIN_UUID(type, text)                                               \
  template <>                                                                  \
  struct standin_uuid_traits<type> {                                           \
    static constexpr GUID value = ::standin::GuidFromLiteral(text);            \
  }

#define STANDIN_INTERFACE(name, text) \
  struct name;                        \
  STANDIN_UUID(name, text);           \
  struct name

#define __uuidof(type) \
  (::standin_uuid_traits<std::remove_cv_t<std::remove_pointer_t<std::remove_reference_t<type>>>>::value)

// __declspec(uuid("...")) in declarations carried over from the platform's sources: accepted and
// ignored, so __uuidof of such a type still needs a STANDIN_UUID beside it.
#define __standin_declspec_uuid(text)
