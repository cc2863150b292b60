// What the driver library (gmrtlink.dll) calls in the board module: one function per kind of
// access. The board module counts every call, gives a set answer when one is due, and otherwise
// reads or writes the board's shared memory. It is one per process, so every copy of the driver
// library, loaded from whichever folder, reaches the same boards.
#pragma once

#include <cstdint>

#define GMRTBOARD_API __attribute__((visibility("default")))

namespace gmrtboard {

// The driver's entry points, in the order of its exports list.
enum EntryPoint : int {
  kPeekB, kPeekW, kPeekL, kPeekFS, kPeekFD,
  kPokeB, kPokeW, kPokeL, kPokeFS, kPokeFD,
  kNumOfUserDevRegs,
  kEntryPoints
};

// Copies `size` bytes at `offset` of board `device` to `value` (Peek) or from it (Poke).
GMRTBOARD_API int32_t Peek(EntryPoint entry, int16_t device, int32_t offset, void* value, uint32_t size);
GMRTBOARD_API int32_t Poke(EntryPoint entry, int16_t device, int32_t offset, const void* value, uint32_t size);
// An entry point whose work is not modelled: reported to the sandbox.
GMRTBOARD_API int32_t NotModelled(EntryPoint entry, const char* function);

}  // namespace gmrtboard
