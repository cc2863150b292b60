// The memory of the project tree's small objects: entries, compiler settings, the lists that
// hold them and the texts given to them. A large project has hundreds of thousands of them, all
// made while it is read and all freed when it is closed, and the general-purpose heap is at its
// slowest with exactly that pattern. Here each size has its own free list, carved from large
// blocks; the blocks go back to the system when the last object is freed. Ownership does not
// change: an object made with new is still freed with delete, by whoever owns it, in any order
// and from any thread. Like all the state of the shared code, the heap is the module's own: a
// tree is freed in the module that read it.
#pragma once

#include <cstddef>
#include <new>

class CDspEntryHeap {
 public:
  // Requests above the largest size class go to the global operator new and delete. `size`
  // must be the one the memory was allocated with.
  static void* Allocate(size_t size);
  static void Free(void* memory, size_t size) noexcept;

  // The objects of the tree's heap now allocated (for the tests).
  static size_t GetLiveCount();

  // While a Hold lives, its thread has the heap to itself: what it makes and frees takes no lock
  // of its own, and other threads wait for the heap until the Hold goes. The reader holds the
  // heap while it builds a tree, a container while it frees its entries. Holds nest.
  class Hold {
   public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
  };
};

// A standard allocator over the tree's heap, for the lists inside the tree.
template <typename T>
class CDspEntryAllocator {
 public:
  using value_type = T;

  CDspEntryAllocator() noexcept = default;
  template <typename U>
  CDspEntryAllocator(const CDspEntryAllocator<U>&) noexcept {}

  T* allocate(size_t count) {
    static_assert(alignof(T) <= alignof(std::max_align_t), "the heap's cells have at most the default alignment");
    if (count > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(CDspEntryHeap::Allocate(count * sizeof(T)));
  }
  void deallocate(T* memory, size_t count) noexcept { CDspEntryHeap::Free(memory, count * sizeof(T)); }

  template <typename U>
  bool operator==(const CDspEntryAllocator<U>&) const noexcept {
    return true;
  }
};

// A class whose objects come from the tree's heap: new and delete are used as ever. An
// over-aligned class goes to the global heap.
class CDspHeapObject {
 public:
  static void* operator new(size_t size) { return CDspEntryHeap::Allocate(size); }
  static void operator delete(void* memory, size_t size) noexcept { CDspEntryHeap::Free(memory, size); }
  static void* operator new(size_t size, std::align_val_t alignment) { return ::operator new(size, alignment); }
  static void operator delete(void* memory, size_t size, std::align_val_t alignment) noexcept {
    ::operator delete(memory, size, alignment);
  }
};
