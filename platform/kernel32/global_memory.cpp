// Global memory: GlobalAlloc, GlobalLock/GlobalUnlock, GlobalSize, GlobalFree. A fixed block's
// handle is its address; a moveable block's handle is a separate value that GlobalLock turns into
// the address (blocks never move here, but callers must still lock them). Every handle is known
// to the table, so a handle that was never allocated or is already freed is refused with
// ERROR_INVALID_HANDLE instead of touching memory.
#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct Block {
  std::unique_ptr<BYTE[]> data;
  SIZE_T size = 0;
  bool moveable = false;
  DWORD locks = 0;
};

struct Heap {
  std::mutex lock;
  std::map<HGLOBAL, Block> blocks;
  uintptr_t nextMoveable = 0x20000;  // handle values of moveable blocks: never addresses, never reused
};

Heap& H() {
  static Heap* heap = new Heap;  // never destroyed: blocks may be freed during exit
  return *heap;
}

// The block of a handle, under H().lock; null (with ERROR_INVALID_HANDLE) when it is none.
Block* Find(HGLOBAL memory) {
  auto it = H().blocks.find(memory);
  if (it == H().blocks.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return &it->second;
}

}  // namespace

extern "C" {

WINBASEAPI HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
  Block block;
  block.data.reset(new (std::nothrow) BYTE[bytes ? bytes : 1]);
  if (!block.data) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (flags & GMEM_ZEROINIT) std::memset(block.data.get(), 0, bytes ? bytes : 1);
  block.size = bytes;
  block.moveable = (flags & GMEM_MOVEABLE) != 0;
  std::lock_guard<std::mutex> g(H().lock);
  HGLOBAL handle = block.moveable ? reinterpret_cast<HGLOBAL>(H().nextMoveable += 8) : block.data.get();
  H().blocks.emplace(handle, std::move(block));
  return handle;
}

// The block's address; a moveable block counts one lock more.
WINBASEAPI LPVOID WINAPI GlobalLock(HGLOBAL memory) {
  std::lock_guard<std::mutex> g(H().lock);
  Block* block = Find(memory);
  if (block == nullptr) return nullptr;
  if (block->moveable) ++block->locks;
  return block->data.get();
}

// TRUE while the block stays locked; FALSE with NO_ERROR once it is unlocked, FALSE with
// ERROR_NOT_LOCKED for a block that was not locked.
WINBASEAPI BOOL WINAPI GlobalUnlock(HGLOBAL memory) {
  std::lock_guard<std::mutex> g(H().lock);
  Block* block = Find(memory);
  if (block == nullptr) return FALSE;
  if (!block->moveable || block->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--block->locks != 0) return TRUE;
  SetLastError(NO_ERROR);
  return FALSE;
}

WINBASEAPI SIZE_T WINAPI GlobalSize(HGLOBAL memory) {
  std::lock_guard<std::mutex> g(H().lock);
  Block* block = Find(memory);
  return block ? block->size : 0;
}

// NULL when freed; the handle itself when it is no block.
WINBASEAPI HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
  std::lock_guard<std::mutex> g(H().lock);
  if (Find(memory) == nullptr) return memory;
  H().blocks.erase(memory);
  return nullptr;
}

}  // extern "C"
