#include "dsp/DspEntryHeap.h"

#include <cstdint>
#include <mutex>

namespace {

// Sizes go up in steps of 8. A size that is a multiple of 16 gets a cell aligned to 16, and any
// other one a cell aligned to 8: an object's size is a multiple of its alignment, so every object
// is aligned as it must be (over-aligned ones do not come here).
constexpr size_t kGrain = 8;
constexpr size_t kLargest = 256;
constexpr size_t kClasses = kLargest / kGrain;
constexpr size_t kBlockSize = 64 * 1024;
static_assert(alignof(std::max_align_t) == 16);

// Under AddressSanitizer every object goes to the global heap (and is only counted), so that the
// sanitizer sees each one: a leak, a double delete or a use after delete in the tree is then
// reported as such.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif

struct FreeCell {
  FreeCell* next;
};

// A block starts with the link to the block made before it.
struct BlockHeader {
  BlockHeader* previous;
  alignas(16) char cells[1];
};
constexpr size_t kCellsOffset = offsetof(BlockHeader, cells);

// Cells are carved from the last block in the order they are asked for, so that the objects of
// one part of the file lie side by side; a freed cell goes on the list of its size.
class Heap {
 public:
  Heap() = default;
  // Only a heap without live objects is destroyed: every block goes.
  ~Heap() {
    for (BlockHeader* block = m_lastBlock; block != nullptr;) {
      BlockHeader* previous = block->previous;
      ::operator delete(block);
      block = previous;
    }
  }
  Heap(const Heap&) = delete;
  Heap& operator=(const Heap&) = delete;

  // The caller has the lock (or holds the heap).
  void* Allocate(size_t size) {
    const size_t index = (size - 1) / kGrain;
    void* memory;
    if (FreeCell* cell = m_free[index]) {
      m_free[index] = cell->next;
      memory = cell;
    } else {
      const size_t cellSize = (index + 1) * kGrain;
      // m_next is always a multiple of 8, and m_end of 16, so aligning never passes m_end.
      if ((cellSize & 15) == 0) m_next += reinterpret_cast<uintptr_t>(m_next) & 8;
      if (static_cast<size_t>(m_end - m_next) < cellSize) NewBlock();
      memory = m_next;
      m_next += cellSize;
    }
    ++m_live;
    return memory;
  }

  void Free(void* memory, size_t size) noexcept {
    const size_t index = (size - 1) / kGrain;
    auto* cell = static_cast<FreeCell*>(memory);
    cell->next = m_free[index];
    m_free[index] = cell;
    if (--m_live == 0) ReleaseBlocks();
  }

  size_t GetLiveCount() const { return m_live; }
  // For objects of the global heap (no pooling): only counted.
  void Count(int change) { m_live += static_cast<size_t>(change); }

  std::mutex& Lock() { return m_lock; }

 private:
  void NewBlock() {
    auto* block = static_cast<BlockHeader*>(::operator new(kBlockSize));
    block->previous = m_lastBlock;
    m_lastBlock = block;
    m_next = reinterpret_cast<char*>(block) + kCellsOffset;
    m_end = reinterpret_cast<char*>(block) + kBlockSize;
  }

  // Nothing is allocated any more: every free list points into the blocks, so they all go but
  // the last, which is kept for the next object (one made and freed over and over does not
  // make and free a block each time).
  void ReleaseBlocks() noexcept {
    BlockHeader* kept = m_lastBlock;
    BlockHeader* block = kept->previous;
    while (block != nullptr) {
      BlockHeader* previous = block->previous;
      ::operator delete(block);
      block = previous;
    }
    kept->previous = nullptr;
    for (FreeCell*& list : m_free) list = nullptr;
    m_next = reinterpret_cast<char*>(kept) + kCellsOffset;
  }

  std::mutex m_lock;
  FreeCell* m_free[kClasses] = {};
  BlockHeader* m_lastBlock = nullptr;
  char* m_next = nullptr;  // the unused rest of the last block
  char* m_end = nullptr;
  size_t m_live = 0;
};

// Made on first use, and kept while the module's statics go: objects of the tree may still be
// freed then. At the module's very end (below) a heap without live objects goes, so that a
// module that unloads (a plug-in DLL) leaves none of its blocks behind.
Heap*& HeapPointer() {
  static Heap* heap = new Heap;
  return heap;
}

Heap& TheHeap() {
  Heap*& heap = HeapPointer();
  if (heap == nullptr) heap = new Heap;  // asked for again after the module's end
  return *heap;
}

// Made while the module loads, before any object of the tree, so it goes after every static
// object made later; one made earlier that still held objects keeps the heap alive.
struct HeapRelease {
  ~HeapRelease() {
    Heap*& heap = HeapPointer();
    if (heap == nullptr || heap->GetLiveCount() != 0) return;
    delete heap;
    heap = nullptr;
  }
} g_heapRelease;

// How many Holds the thread has open; while there is one, it has the heap's lock.
thread_local int t_holds = 0;

}  // namespace

void* CDspEntryHeap::Allocate(size_t size) {
  if (size == 0 || size > kLargest) return ::operator new(size);
  Heap& heap = TheHeap();
  if (!kPooled) {
    void* memory = ::operator new(size);
    std::lock_guard<std::mutex> guard(heap.Lock());
    heap.Count(+1);
    return memory;
  }
  if (t_holds > 0) return heap.Allocate(size);
  std::lock_guard<std::mutex> guard(heap.Lock());
  return heap.Allocate(size);
}

void CDspEntryHeap::Free(void* memory, size_t size) noexcept {
  if (memory == nullptr) return;
  if (size == 0 || size > kLargest) {
    ::operator delete(memory);
    return;
  }
  Heap& heap = TheHeap();
  if (!kPooled) {
    ::operator delete(memory);
    std::lock_guard<std::mutex> guard(heap.Lock());
    heap.Count(-1);
    return;
  }
  if (t_holds > 0) {
    heap.Free(memory, size);
    return;
  }
  std::lock_guard<std::mutex> guard(heap.Lock());
  heap.Free(memory, size);
}

size_t CDspEntryHeap::GetLiveCount() {
  Heap& heap = TheHeap();
  if (t_holds > 0) return heap.GetLiveCount();
  std::lock_guard<std::mutex> guard(heap.Lock());
  return heap.GetLiveCount();
}

// Without pooling (under the sanitizer) a hold changes nothing.
CDspEntryHeap::Hold::Hold() {
  if (kPooled && t_holds++ == 0) TheHeap().Lock().lock();
}

CDspEntryHeap::Hold::~Hold() {
  if (kPooled && --t_holds == 0) TheHeap().Lock().unlock();
}
