#include "dsp/DspEntryHeap.h"

#include <mutex>
#include <type_traits>

namespace {

constexpr size_t kGrain = 16;  // every cell is aligned for any object the tree holds
constexpr size_t kLargest = 256;
constexpr size_t kClasses = kLargest / kGrain;
constexpr size_t kBlockSize = 64 * 1024;
static_assert(kGrain % alignof(std::max_align_t) == 0);

// A thread keeps a few free cells of each size for itself, so that making and freeing an object
// takes no lock; cells go between a thread and the shared heap a batch at a time.
constexpr unsigned kThreadCells = 64;
constexpr unsigned kBatch = 32;

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

// The free cells a thread keeps, and how many objects it made minus how many it freed. Trivially
// destructible and zero when the thread starts, so reaching it costs no check of its own.
struct ThreadCells {
  FreeCell* cells[kClasses];
  unsigned counts[kClasses];
  long long made;
  bool registered;  // the thread's end gives its cells back (see ThreadEnd)
  bool ended;       // the thread is ending: its objects go to the shared heap directly
};
thread_local ThreadCells t_cells;

// The blocks, the free cells no thread keeps, and the number of cells out of the shared heap
// (in use, or kept by a thread). When that number falls to zero every free cell is back, and the
// blocks go back to the system.
class SharedHeap {
 public:
  // Fills the thread's (empty) list of size class `index`.
  void Refill(ThreadCells& thread, size_t index) {
    std::lock_guard<std::mutex> guard(m_lock);
    const size_t cellSize = (index + 1) * kGrain;
    for (unsigned n = 0; n < kBatch; ++n) {
      FreeCell* cell = m_free[index];
      if (cell != nullptr) {
        m_free[index] = cell->next;
      } else {
        if (static_cast<size_t>(m_end - m_next) < cellSize) NewBlock();  // may throw: all is counted
        cell = reinterpret_cast<FreeCell*>(m_next);
        m_next += cellSize;
      }
      cell->next = thread.cells[index];
      thread.cells[index] = cell;
      ++thread.counts[index];
      ++m_out;
    }
  }

  // Takes back `count` cells of the thread's list of size class `index`.
  void TakeBack(ThreadCells& thread, size_t index, unsigned count) noexcept {
    std::lock_guard<std::mutex> guard(m_lock);
    for (unsigned n = 0; n < count; ++n) {
      FreeCell* cell = thread.cells[index];
      thread.cells[index] = cell->next;
      cell->next = m_free[index];
      m_free[index] = cell;
    }
    thread.counts[index] -= count;
    m_out -= count;
    if (m_out == 0) ReleaseBlocks();
  }

  // Takes back every cell the thread keeps.
  void TakeBackAll(ThreadCells& thread) noexcept {
    for (size_t index = 0; index < kClasses; ++index)
      if (thread.counts[index] > 0) TakeBack(thread, index, thread.counts[index]);
  }

  // For a thread that is ending: one object at a time.
  void* AllocateShared(size_t index) {
    ThreadCells none = {};
    Refill(none, index);
    FreeCell* cell = none.cells[index];
    none.cells[index] = cell->next;
    --none.counts[index];
    TakeBackAll(none);
    return cell;
  }
  void FreeShared(void* memory, size_t index) noexcept {
    ThreadCells one = {};
    one.cells[index] = static_cast<FreeCell*>(memory);
    one.cells[index]->next = nullptr;
    one.counts[index] = 1;
    TakeBackAll(one);
  }

  size_t GetOutCount() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_out;
  }

 private:
  void NewBlock() {
    auto* block = static_cast<BlockHeader*>(::operator new(kBlockSize));
    block->previous = m_lastBlock;
    m_lastBlock = block;
    m_next = reinterpret_cast<char*>(block) + kCellsOffset;
    m_end = reinterpret_cast<char*>(block) + kBlockSize;
  }

  // Every free list points into the blocks, so they all go but the last, which is kept for the
  // next object (one made and freed over and over does not make and free a block each time).
  void ReleaseBlocks() noexcept {
    BlockHeader* kept = m_lastBlock;
    if (kept == nullptr) return;
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
  size_t m_out = 0;
};

// Made before any code runs and never destroyed: objects of the tree may still be freed while
// the program's statics go.
SharedHeap& TheHeap() {
  static SharedHeap* heap = new SharedHeap;
  return *heap;
}

// Gives the thread's cells back when the thread ends; later frees on it go to the shared heap.
struct ThreadEnd {
  ~ThreadEnd() {
    TheHeap().TakeBackAll(t_cells);
    t_cells.ended = true;
  }
};
thread_local ThreadEnd t_end;

// The first object of a thread makes sure its end is seen.
void Register(ThreadCells& thread) {
  thread.registered = true;
  (void)&t_end;  // constructs the thread's ThreadEnd
}

}  // namespace

void* CDspEntryHeap::Allocate(size_t size) {
  if (!kPooled || size == 0 || size > kLargest) return ::operator new(size);
  const size_t index = (size - 1) / kGrain;
  ThreadCells& thread = t_cells;
  if (thread.ended) return TheHeap().AllocateShared(index);
  if (!thread.registered) Register(thread);
  if (thread.cells[index] == nullptr) TheHeap().Refill(thread, index);
  FreeCell* cell = thread.cells[index];
  thread.cells[index] = cell->next;
  --thread.counts[index];
  ++thread.made;
  return cell;
}

void CDspEntryHeap::Free(void* memory, size_t size) noexcept {
  if (memory == nullptr) return;
  if (!kPooled || size == 0 || size > kLargest) {
    ::operator delete(memory);
    return;
  }
  const size_t index = (size - 1) / kGrain;
  ThreadCells& thread = t_cells;
  if (thread.ended) {
    TheHeap().FreeShared(memory, index);
    return;
  }
  if (!thread.registered) Register(thread);
  auto* cell = static_cast<FreeCell*>(memory);
  cell->next = thread.cells[index];
  thread.cells[index] = cell;
  ++thread.counts[index];
  // A thread that has freed all it made (or more, freeing another thread's objects) keeps
  // nothing: when the last object goes, every cell is back and the blocks can go.
  if (--thread.made <= 0)
    TheHeap().TakeBackAll(thread);
  else if (thread.counts[index] > kThreadCells)
    TheHeap().TakeBack(thread, index, kBatch);
}

size_t CDspEntryHeap::GetOutCount() { return kPooled ? TheHeap().GetOutCount() : 0; }
