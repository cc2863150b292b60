// Thread ids: small, unique, non-zero numbers. A thread started by CreateThread gets its id before
// it runs (CreateThread returns it); any other thread gets one on its first question.
#pragma once

#include "windef.h"

namespace kernel32 {

DWORD ReserveThreadId();
// Makes `id` the calling thread's id; called first thing on a thread CreateThread started.
void AdoptThreadId(DWORD id);

}  // namespace kernel32
