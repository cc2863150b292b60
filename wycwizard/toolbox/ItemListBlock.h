// The layout of a list block, shared by the list operations' files.
#pragma once

#include <windows.h>

#include <cstring>

#include "toolbox/ItemList.h"

struct ItemListHeader {
  DWORD magic;
  LONG growthPercentage;
  LONG minimumGrowth;
  LONG capacity;
  LONG itemSize;
  LONG count;
  DWORD reserved;  // kept zero
};
static_assert(sizeof(ItemListHeader) == ITEMLIST_HEADER_SIZE, "the list header is 28 bytes");

// The header of a list block, or NULL when `list` is none or no list.
inline ItemListHeader* ListHeader(ItemList list) {
  if (list == NULL || list->block == NULL || list->size < ITEMLIST_HEADER_SIZE) return NULL;
  ItemListHeader* header = static_cast<ItemListHeader*>(list->block);
  return header->magic == ITEMLIST_MAGIC ? header : NULL;
}

// The address of the item with 0-based `index`.
inline char* ListItem(ItemListHeader* header, LONG index) {
  return reinterpret_cast<char*>(header) + ITEMLIST_HEADER_SIZE + static_cast<size_t>(index) * header->itemSize;
}

// 0-based index of an existing item for a position (0 the last, -1 the first), or -1.
inline LONG ExistingIndex(const ItemListHeader* header, int position) {
  if (header->count == 0) return -1;
  if (position == 0) return header->count - 1;
  if (position == -1) return 0;
  if (position < 1 || position > header->count) return -1;
  return position - 1;
}

// The item size ItemCompareBytes compares while a list operation that takes a compare function
// runs on this thread (set for the operation's duration).
class ByteWidthScope {
 public:
  explicit ByteWidthScope(const ItemListHeader* header);
  ~ByteWidthScope();

 private:
  LONG saved_;
};

// Compares two items with `compare`, or their bytes when it is NULL or ItemCompareBytes.
int CompareItems(const ItemListHeader* header, ItemCompareFn compare, const void* a, const void* b);
// Swaps two items 32 bits at a time when the size is a multiple of 4, 16 bits at a time when it
// is a multiple of 2, else byte by byte.
void SwapItems(const ItemListHeader* header, char* a, char* b);
// 0-based binary search: the index of a match, or the complement of the insertion index.
LONG BinarySearch(ItemListHeader* header, const void* item, ItemCompareFn compare);
// Removes `n` items from 0-based `index` on, closing the gap.
void CloseGap(ItemListHeader* header, LONG index, LONG n);
