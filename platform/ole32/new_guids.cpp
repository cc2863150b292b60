// CoCreateGuid: version 4 (random) identifiers from a repeatable generator the sandbox seeds, so
// what a program makes from them (a type library's id in a generated project) is the same at every
// run of a test.
#include <objbase.h>

#include <cstring>
#include <mutex>

#include "sandbox/guids.h"
#include "sandbox/internal.h"

namespace {

struct Generator {
  std::mutex lock;
  uint64_t state = 0;
};

Generator& G() {
  static Generator* g = new Generator;  // outlives the statics of every module
  return *g;
}

// splitmix64: each call gives the next 64 bits of the seed's sequence.
uint64_t Next(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

struct ResetHook {
  ResetHook() {
    sandbox::internal::RegisterReset("ole32.guids", [] { sandbox::SetGuidSeed(0); });
  }
} g_resetHook;

}  // namespace

namespace sandbox {

void SetGuidSeed(uint64_t seed) {
  std::lock_guard<std::mutex> g(G().lock);
  G().state = seed;
}

}  // namespace sandbox

extern "C" {

WINOLEAPI CoCreateGuid(GUID* pguid) {
  if (pguid == nullptr) return E_INVALIDARG;
  unsigned char bytes[16];
  {
    std::lock_guard<std::mutex> g(G().lock);
    const uint64_t high = Next(G().state), low = Next(G().state);
    std::memcpy(bytes, &high, 8);
    std::memcpy(bytes + 8, &low, 8);
  }
  GUID guid;
  std::memcpy(&guid.Data1, bytes, 4);
  std::memcpy(&guid.Data2, bytes + 4, 2);
  std::memcpy(&guid.Data3, bytes + 6, 2);
  std::memcpy(guid.Data4, bytes + 8, 8);
  guid.Data3 = static_cast<unsigned short>((guid.Data3 & 0x0FFF) | 0x4000);      // version 4
  guid.Data4[0] = static_cast<unsigned char>((guid.Data4[0] & 0x3F) | 0x80);  // the standard variant
  *pguid = guid;
  return S_OK;
}

}  // extern "C"
