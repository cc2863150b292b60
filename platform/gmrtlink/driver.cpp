// gmrtlink.dll, the real-time driver library: its eleven entry points with the C calling
// convention, 16-bit device numbers, 32-bit offsets and the value passed by address. Each
// forwards to the board module, which is one per process, so that every copy of this library
// reaches the same boards and the memory outlives its unload.
#include <cstdint>

#include "board.h"

#define GMRTLINK_ENTRY extern "C" __attribute__((visibility("default")))

using namespace gmrtboard;

GMRTLINK_ENTRY int32_t MMDPeekB(int16_t device, int32_t offset, uint8_t* value) {
  return Peek(kPeekB, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPeekW(int16_t device, int32_t offset, uint16_t* value) {
  return Peek(kPeekW, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPeekL(int16_t device, int32_t offset, int32_t* value) {
  return Peek(kPeekL, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPeekFS(int16_t device, int32_t offset, float* value) {
  return Peek(kPeekFS, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPeekFD(int16_t device, int32_t offset, double* value) {
  return Peek(kPeekFD, device, offset, value, sizeof *value);
}

GMRTLINK_ENTRY int32_t MMDPokeB(int16_t device, int32_t offset, uint8_t* value) {
  return Poke(kPokeB, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPokeW(int16_t device, int32_t offset, uint16_t* value) {
  return Poke(kPokeW, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPokeL(int16_t device, int32_t offset, int32_t* value) {
  return Poke(kPokeL, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPokeFS(int16_t device, int32_t offset, float* value) {
  return Poke(kPokeFS, device, offset, value, sizeof *value);
}
GMRTLINK_ENTRY int32_t MMDPokeFD(int16_t device, int32_t offset, double* value) {
  return Poke(kPokeFD, device, offset, value, sizeof *value);
}

// The number of the board's user device registers; no board here has a model of them.
GMRTLINK_ENTRY int32_t MMDAQNumOfUserDevRegs(int16_t device, int32_t* count) {
  static_cast<void>(device);
  static_cast<void>(count);
  return NotModelled(kNumOfUserDevRegs, "MMDAQNumOfUserDevRegs");
}
