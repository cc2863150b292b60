// Sandbox control of the Wyc run-time engine stand-in (platform/wycrte): the panels and menu bars
// it holds loaded, the system attributes it was given, and the answers its entry points give.
// Implemented by the wycrtecore module.
//
// The engine library "wycrte.dll" is loaded by name (or by path); every copy reaches the one
// engine of the process. Its files are the text format described in docs/STANDINS.md.
//
// On sandbox::Reset(): nothing is loaded (handles still held are forgotten), no system attribute
// is recorded, no answer is set and the calls are counted from 0.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <string>
#include <utility>
#include <vector>

#include "sandbox/core.h"

namespace sandbox::wycrte {

// What the entry points answer by themselves besides 0 (done) and positive handles.
inline constexpr int kNoSuchId = -13;         // no control (menu item) of that id in the panel (bar)
inline constexpr int kNoSuchIndex = -24;      // the file holds no panel (menu bar) of that index
inline constexpr int kMalformed = -94;        // the file, or the panel (menu bar) asked for, is malformed
inline constexpr int kCannotOpen = -45;       // the file does not open for reading
inline constexpr int kNoHandleLeft = -12;     // kMaxHandles panels and menu bars are loaded already
inline constexpr int kInvalidHandle = -4;     // no panel (menu bar) of that handle is loaded; a parent
                                              // panel other than 0
inline constexpr int kInvalidArgument = -6;   // a null file name or value pointer, an index below 1, an
                                              // attribute the engine does not model (also reported as
                                              // an unmodelled call)
// Panels and menu bars loaded at once, at most.
inline constexpr int kMaxHandles = 64;

// The attributes the program reads: a callback name's length (int, without its NUL) and the name
// itself (copied with its NUL into the caller's buffer).
inline constexpr int kCallbackNameLength = 512;
inline constexpr int kCallbackName = 511;

// Panels and menu bars loaded and not yet discarded.
SANDBOX_API unsigned LiveHandles();
// Every SetSystemAttribute call since the reset, as {attribute, value}, in call order.
SANDBOX_API std::vector<std::pair<int, int>> SystemAttributes();
// Calls of the entry point named `entryPoint` ("LoadPanel", ...) since the reset, whatever they
// answered. Throws std::invalid_argument for an unknown name.
SANDBOX_API unsigned Calls(const std::string& entryPoint);
// The `call`-th call from now (1: the next one) of that entry point does nothing and answers
// `answer` (a Get...Attribute call then writes nothing). Throws std::invalid_argument for an
// unknown name or call 0.
SANDBOX_API void AnswerAt(const std::string& entryPoint, unsigned call, int answer);

}  // namespace sandbox::wycrte
