// Sandbox control of the real-time driver stand-in (platform/gmrtlink): the boards' memory, and
// the answers its entry points give. Implemented by the gmrtboard module.
//
// The driver library "gmrtlink.dll" can be copied into any folder and loaded from there; every
// copy reaches the same boards. Each board's memory is a named block of host shared memory, so
// it outlives the driver's unload, and a program this process starts with BoardsEnvironment() in
// its environment sees the same bytes.
//
// On sandbox::Reset(): every board's memory is zero again, no answer is set and the calls are
// counted from 0. A process started with BoardsEnvironment() leaves the boards to the process
// that started it (its reset only forgets its own answers and counts).
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>
#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox::gmrtlink {

// The boards: devices 0 to kBoards - 1, each with kBoardSize bytes of memory.
inline constexpr int kBoards = 4;
inline constexpr int32_t kBoardSize = 0x10000;

// What the driver's entry points answer by themselves: done; a value that does not lie wholly
// inside the board's memory (or a null value pointer); a device that is no board; an entry
// point whose work is not modelled (MMDAQNumOfUserDevRegs, which is also reported as an
// unmodelled call).
inline constexpr int32_t kDone = 0;
inline constexpr int32_t kBadArgument = 3;
inline constexpr int32_t kNoBoard = 37;
inline constexpr int32_t kNotModelled = -1;

// The bytes of a board's memory, as the driver reads and writes them. Throws
// std::invalid_argument for a device that is no board or a range outside its memory.
SANDBOX_API std::vector<uint8_t> ReadBoard(int device, int32_t offset, size_t count);
SANDBOX_API void WriteBoard(int device, int32_t offset, const std::vector<uint8_t>& bytes);

// The `call`-th call from now (1: the next one) of the entry point named `entryPoint` ("MMDPeekB",
// ...) does nothing and answers `answer`. Throws std::invalid_argument for an unknown name or
// call 0.
SANDBOX_API void AnswerAt(const std::string& entryPoint, unsigned call, int32_t answer);

// "NAME=value" for the environment of a program this process starts, so that its driver reaches
// this process's boards.
SANDBOX_API std::string BoardsEnvironment();

}  // namespace sandbox::gmrtlink
