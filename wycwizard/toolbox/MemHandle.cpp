#include "stdafx.h"

#include "toolbox/MemHandle.h"

MemHandle MemHandleNew(LONG size) {
  if (size < 0) return NULL;
  MemHandle handle = static_cast<MemHandle>(malloc(sizeof(MemHandleRec)));
  if (handle == NULL) return NULL;
  handle->block = NULL;
  handle->size = 0;
  if (size > 0) {
    handle->block = calloc(1, static_cast<size_t>(size));
    if (handle->block == NULL) {
      free(handle);
      return NULL;
    }
    handle->size = size;
  }
  return handle;
}

void FreeMemHandle(MemHandle handle) {
  if (handle == NULL) return;
  free(handle->block);
  free(handle);
}

LONG MemHandleSize(MemHandle handle) { return handle != NULL ? handle->size : 0; }

int MemHandleResize(MemHandle handle, LONG size) {
  if (handle == NULL || size < 0) return 0;
  if (size == 0) {
    free(handle->block);
    handle->block = NULL;
    handle->size = 0;
    return 1;
  }
  void* block = realloc(handle->block, static_cast<size_t>(size));
  if (block == NULL) return 0;
  if (size > handle->size) memset(static_cast<char*>(block) + handle->size, 0, static_cast<size_t>(size - handle->size));
  handle->block = block;
  handle->size = size;
  return 1;
}
