#include "dsp/DspEntryHeap.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <type_traits>

namespace {

constexpr size_t kGrain = 16;  // every cell is aligned for any object the tree holds
constexpr size_t kLargest = 256;
constexpr size_t kClasses = kLargest / kGrain;
constexpr size_t kBlockSize = 64 * 1024;
static_assert(kGrain % alignof(std::max_align_t) == 0);

// Under AddressSanitizer every object goes to the global heap, so that the sanitizer sees each
// one: a leak, a double delete or a use after delete in the tree is then reported as such.
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
  alignas(kGrain) char cells[1];
};
constexpr size_t kCellsOffset = offsetof(BlockHeader, cells);

// The heap's lock is held for a few instructions at a time, far less than a system mutex costs
// to take: a waiting thread spins, giving way to others while it waits.
class SpinLock {
 public:
  void lock() noexcept {
    while (m_locked.exchange(true, std::memory_order_acquire))
      while (m_locked.load(std::memory_order_relaxed)) std::this_thread::yield();
  }
  void unlock() noexcept { m_locked.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> m_locked{false};
};

class Heap {
 public:
  void* Allocate(size_t size) {
    const size_t index = (size - 1) / kGrain;
    std::lock_guard<SpinLock> guard(m_lock);
    void* memory;
    if (FreeCell* cell = m_free[index]) {
      m_free[index] = cell->next;
      memory = cell;
    } else {
      const size_t cellSize = (index + 1) * kGrain;
      if (static_cast<size_t>(m_end - m_next) < cellSize) NewBlock();
      memory = m_next;
      m_next += cellSize;
    }
    ++m_live;
    return memory;
  }

  void Free(void* memory, size_t size) noexcept {
    const size_t index = (size - 1) / kGrain;
    std::lock_guard<SpinLock> guard(m_lock);
    auto* cell = static_cast<FreeCell*>(memory);
    cell->next = m_free[index];
    m_free[index] = cell;
    if (--m_live == 0) ReleaseBlocks();
  }

  size_t GetLiveCount() {
    std::lock_guard<SpinLock> guard(m_lock);
    return m_live;
  }

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

  SpinLock m_lock;
  FreeCell* m_free[kClasses] = {};
  BlockHeader* m_lastBlock = nullptr;
  char* m_next = nullptr;  // the unused rest of the last block
  char* m_end = nullptr;
  size_t m_live = 0;
};

// Made before any code runs and never destroyed (it has nothing to destroy): objects of the
// tree may still be freed while the program's statics go.
constinit Heap g_heap;
static_assert(std::is_trivially_destructible_v<Heap>);
Heap& TheHeap() { return g_heap; }

}  // namespace

void* CDspEntryHeap::Allocate(size_t size) {
  if (!kPooled || size == 0 || size > kLargest) return ::operator new(size);
  return TheHeap().Allocate(size);
}

void CDspEntryHeap::Free(void* memory, size_t size) noexcept {
  if (memory == nullptr) return;
  if (!kPooled || size == 0 || size > kLargest) {
    ::operator delete(memory);
    return;
  }
  TheHeap().Free(memory, size);
}

size_t CDspEntryHeap::GetLiveCount() { return kPooled ? TheHeap().GetLiveCount() : 0; }
