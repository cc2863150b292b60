// Memory handles: a small heap record of one block and its size. The block is zero-filled when
// made or grown.
#pragma once

#include <windows.h>

typedef struct tagMemHandleRec {
  void* block;  // NULL for size 0
  LONG size;    // bytes
} MemHandleRec, *MemHandle;

// A handle with a zeroed block of `size` bytes (no block for 0); NULL when memory runs out.
MemHandle MemHandleNew(LONG size);
// Frees the block and the handle; NULL is accepted.
void FreeMemHandle(MemHandle handle);
LONG MemHandleSize(MemHandle handle);
// Reallocates to `size` bytes, zero-filling what was added: 1, or 0 with the handle unchanged.
int MemHandleResize(MemHandle handle, LONG size);
