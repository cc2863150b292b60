// Comparing, swapping, binary search and the three sorts of the list block.
#include "stdafx.h"

#include <utility>

#include "toolbox/ItemListBlock.h"

namespace {

thread_local LONG t_byteWidth = 0;

// Pending ranges of the quick sort: the larger part of each partition waits here while the
// smaller one is sorted, so the depth stays below log2 of the count.
const int kQuickSortStack = 49;

template <class Word>
void SwapWords(char* a, char* b, LONG bytes) {
  for (LONG i = 0; i < bytes; i += static_cast<LONG>(sizeof(Word))) {
    Word x, y;
    memcpy(&x, a + i, sizeof x);
    memcpy(&y, b + i, sizeof y);
    memcpy(a + i, &y, sizeof y);
    memcpy(b + i, &x, sizeof x);
  }
}

// Puts the items at indexes a < b < c in order.
void OrderThree(ItemListHeader* h, ItemCompareFn compare, LONG a, LONG b, LONG c) {
  if (CompareItems(h, compare, ListItem(h, a), ListItem(h, b)) > 0) SwapItems(h, ListItem(h, a), ListItem(h, b));
  if (CompareItems(h, compare, ListItem(h, b), ListItem(h, c)) > 0) {
    SwapItems(h, ListItem(h, b), ListItem(h, c));
    if (CompareItems(h, compare, ListItem(h, a), ListItem(h, b)) > 0) SwapItems(h, ListItem(h, a), ListItem(h, b));
  }
}

// Moves the item at `index` up while it is greater than its parent.
void SiftUp(ItemListHeader* h, ItemCompareFn compare, LONG index) {
  while (index > 0) {
    const LONG parent = (index - 1) / 2;
    if (CompareItems(h, compare, ListItem(h, parent), ListItem(h, index)) >= 0) return;
    SwapItems(h, ListItem(h, parent), ListItem(h, index));
    index = parent;
  }
}

// Moves the item at `index` down below its greater children, within the first `count` items.
void SiftDown(ItemListHeader* h, ItemCompareFn compare, LONG index, LONG count) {
  for (;;) {
    LONG largest = index;
    const LONG left = 2 * index + 1;
    const LONG right = left + 1;
    if (left < count && CompareItems(h, compare, ListItem(h, left), ListItem(h, largest)) > 0) largest = left;
    if (right < count && CompareItems(h, compare, ListItem(h, right), ListItem(h, largest)) > 0) largest = right;
    if (largest == index) return;
    SwapItems(h, ListItem(h, index), ListItem(h, largest));
    index = largest;
  }
}

}  // namespace

ByteWidthScope::ByteWidthScope(const ItemListHeader* header) : saved_(t_byteWidth) { t_byteWidth = header->itemSize; }
ByteWidthScope::~ByteWidthScope() { t_byteWidth = saved_; }

int ItemCompareBytes(const void* a, const void* b) {
  return memcmp(a, b, static_cast<size_t>(t_byteWidth));
}

int CompareItems(const ItemListHeader* header, ItemCompareFn compare, const void* a, const void* b) {
  if (compare == NULL || compare == ItemCompareBytes) return memcmp(a, b, static_cast<size_t>(header->itemSize));
  return compare(a, b);
}

void SwapItems(const ItemListHeader* header, char* a, char* b) {
  if (a == b) return;
  const LONG size = header->itemSize;
  if (size % 4 == 0) SwapWords<DWORD>(a, b, size);
  else if (size % 2 == 0) SwapWords<WORD>(a, b, size);
  else SwapWords<BYTE>(a, b, size);
}

LONG BinarySearch(ItemListHeader* header, const void* item, ItemCompareFn compare) {
  LONG low = 0, high = header->count - 1;
  while (low <= high) {
    const LONG middle = low + (high - low) / 2;
    const int order = CompareItems(header, compare, item, ListItem(header, middle));
    if (order == 0) return middle;
    if (order < 0) high = middle - 1;
    else low = middle + 1;
  }
  return ~low;
}

int ItemListQuickSort(ItemList list, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL) return 0;
  ByteWidthScope width(h);
  LONG stack[kQuickSortStack][2];
  int depth = 0;
  LONG low = 0, high = h->count - 1;
  for (;;) {
    const LONG size = high - low + 1;
    if (size == 2) {
      if (CompareItems(h, compare, ListItem(h, low), ListItem(h, high)) > 0) SwapItems(h, ListItem(h, low), ListItem(h, high));
    } else if (size == 3) {
      OrderThree(h, compare, low, low + 1, high);
    } else if (size > 3) {
      // Median of three: the first, middle and last in order, the median kept just before the
      // last as the pivot; the first and the last then bound both scans.
      const LONG middle = low + (high - low) / 2;
      OrderThree(h, compare, low, middle, high);
      SwapItems(h, ListItem(h, middle), ListItem(h, high - 1));
      const char* pivot = ListItem(h, high - 1);
      LONG i = low, j = high - 1;
      for (;;) {
        while (CompareItems(h, compare, ListItem(h, ++i), pivot) < 0) {
        }
        while (CompareItems(h, compare, ListItem(h, --j), pivot) > 0) {
        }
        if (i >= j) break;
        SwapItems(h, ListItem(h, i), ListItem(h, j));
      }
      SwapItems(h, ListItem(h, i), ListItem(h, high - 1));
      // Equal items stop both scans, so runs of equal items split evenly.
      LONG smallLow = low, smallHigh = i - 1, largeLow = i + 1, largeHigh = high;
      if (smallHigh - smallLow > largeHigh - largeLow) {
        std::swap(smallLow, largeLow);
        std::swap(smallHigh, largeHigh);
      }
      ASSERT(depth < kQuickSortStack);
      stack[depth][0] = largeLow;
      stack[depth][1] = largeHigh;
      ++depth;
      low = smallLow;
      high = smallHigh;
      continue;
    }
    if (depth == 0) break;
    --depth;
    low = stack[depth][0];
    high = stack[depth][1];
  }
  return 1;
}

int ItemListHeapSort(ItemList list, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL) return 0;
  ByteWidthScope width(h);
  for (LONG i = 1; i < h->count; ++i) SiftUp(h, compare, i);
  for (LONG last = h->count - 1; last > 0; --last) {
    SwapItems(h, ListItem(h, 0), ListItem(h, last));
    SiftDown(h, compare, 0, last);
  }
  return 1;
}

int ItemListInsertionSort(ItemList list, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL) return 0;
  ByteWidthScope width(h);
  for (LONG i = 1; i < h->count; ++i) {
    for (LONG j = i; j > 0 && CompareItems(h, compare, ListItem(h, j - 1), ListItem(h, j)) > 0; --j)
      SwapItems(h, ListItem(h, j - 1), ListItem(h, j));
  }
  return 1;
}
