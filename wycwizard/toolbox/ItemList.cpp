// The list block: creation, growth, and the operations by position.
#include "stdafx.h"

#include "toolbox/ItemListBlock.h"
#include "toolbox/ToolboxResults.h"

namespace {

const LONG kInitialPercentage = 10;
const LONG kInitialMinimum = 4;
const LONGLONG kLargestBlock = 0x7FFFFFFF;

// Makes the block hold `capacity` items: 1, or TBX_NO_MEMORY with the list unchanged.
int SetCapacity(ItemList list, LONGLONG capacity) {
  ItemListHeader* header = ListHeader(list);
  const LONGLONG bytes = ITEMLIST_HEADER_SIZE + capacity * header->itemSize;
  if (bytes > kLargestBlock) return TBX_NO_MEMORY;
  if (!MemHandleResize(list, static_cast<LONG>(bytes))) return TBX_NO_MEMORY;
  ListHeader(list)->capacity = static_cast<LONG>(capacity);
  return 1;
}

// Room for `n` more items: a full list gains the larger of its growth percentage of the capacity
// and the minimum growth, plus the items being inserted.
int MakeRoom(ItemList list, LONG n) {
  ItemListHeader* header = ListHeader(list);
  if (static_cast<LONGLONG>(header->count) + n <= header->capacity) return 1;
  const LONGLONG byPercentage = static_cast<LONGLONG>(header->capacity) * header->growthPercentage / 100;
  const LONGLONG growth = (byPercentage > header->minimumGrowth ? byPercentage : header->minimumGrowth) + n;
  return SetCapacity(list, header->capacity + growth);
}

}  // namespace

void CloseGap(ItemListHeader* header, LONG index, LONG n) {
  char* at = ListItem(header, index);
  memmove(at, at + static_cast<size_t>(n) * header->itemSize,
          static_cast<size_t>(header->count - index - n) * header->itemSize);
  header->count -= n;
}

ItemList ItemListNew(int itemSize) {
  if (itemSize <= 0) return NULL;
  ItemList list = MemHandleNew(ITEMLIST_HEADER_SIZE);
  if (list == NULL) return NULL;
  ItemListHeader* header = static_cast<ItemListHeader*>(list->block);
  header->magic = ITEMLIST_MAGIC;
  header->growthPercentage = kInitialPercentage;
  header->minimumGrowth = kInitialMinimum;
  header->itemSize = itemSize;
  return list;
}

int ItemListSetGrowth(ItemList list, int minimum, int percentage) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL || minimum < 1 || percentage < 0) return 0;
  header->minimumGrowth = minimum;
  header->growthPercentage = percentage;
  return 1;
}

void ItemListFree(ItemList list) { FreeMemHandle(list); }

void ItemListFreeAll(ItemList list) {
  ItemListHeader* header = ListHeader(list);
  if (header != NULL && header->itemSize == static_cast<LONG>(sizeof(void*))) {
    for (LONG i = 0; i < header->count; ++i) {
      void* pointer;
      memcpy(&pointer, ListItem(header, i), sizeof pointer);
      free(pointer);
    }
  }
  FreeMemHandle(list);
}

int ItemListEmpty(ItemList list) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL) return 0;
  header->count = 0;
  return 1;
}

ItemList ItemListClone(ItemList list) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL) return NULL;
  ItemList clone = MemHandleNew(ITEMLIST_HEADER_SIZE + header->count * header->itemSize);
  if (clone == NULL) return NULL;
  memcpy(clone->block, header, static_cast<size_t>(clone->size));
  ListHeader(clone)->capacity = header->count;
  return clone;
}

int ItemListConcat(ItemList list, ItemList other) {
  ItemListHeader* header = ListHeader(list);
  ItemListHeader* from = ListHeader(other);
  if (header == NULL || from == NULL || header->itemSize != from->itemSize) return 0;
  return ItemListInsertN(list, ListItem(from, 0), 0, from->count) > 0 ? 1 : TBX_NO_MEMORY;
}

int ItemListInsert(ItemList list, const void* item, int position) {
  return ItemListInsertN(list, item, position, 1);
}

int ItemListInsertN(ItemList list, const void* items, int position, int n) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL || n < 0) return 0;
  LONG index;
  if (position == 0) index = header->count;
  else if (position == -1) index = 0;
  else if (position >= 1 && position <= header->count + 1) index = position - 1;
  else return 0;
  const size_t bytes = static_cast<size_t>(n) * header->itemSize;
  // Items taken from this very list (appending a list to itself) would move when it grows.
  void* copy = NULL;
  const char* block = static_cast<const char*>(list->block);
  if (items != NULL && static_cast<const char*>(items) >= block && static_cast<const char*>(items) < block + list->size) {
    copy = malloc(bytes);
    if (copy == NULL) return TBX_NO_MEMORY;
    memcpy(copy, items, bytes);
    items = copy;
  }
  if (MakeRoom(list, n) != 1) {
    free(copy);
    return TBX_NO_MEMORY;
  }
  header = ListHeader(list);
  char* at = ListItem(header, index);
  memmove(at + bytes, at, static_cast<size_t>(header->count - index) * header->itemSize);
  if (items != NULL) memcpy(at, items, bytes);
  else memset(at, 0, bytes);
  header->count += n;
  free(copy);
  return index + 1;
}

int ItemListPut(ItemList list, const void* item, int position) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL || item == NULL) return 0;
  const LONG index = ExistingIndex(header, position);
  if (index < 0) return 0;
  memcpy(ListItem(header, index), item, static_cast<size_t>(header->itemSize));
  return index + 1;
}

int ItemListFetch(ItemList list, void* item, int position) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL || item == NULL) return 0;
  const LONG index = ExistingIndex(header, position);
  if (index < 0) return 0;
  memcpy(item, ListItem(header, index), static_cast<size_t>(header->itemSize));
  return index + 1;
}

int ItemListTake(ItemList list, void* item, int position) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL) return 0;
  const LONG index = ExistingIndex(header, position);
  if (index < 0) return 0;
  if (item != NULL) memcpy(item, ListItem(header, index), static_cast<size_t>(header->itemSize));
  CloseGap(header, index, 1);
  return index + 1;
}

void* ItemListAt(ItemList list, int position) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL) return NULL;
  const LONG index = ExistingIndex(header, position);
  return index < 0 ? NULL : ListItem(header, index);
}

void* ItemListBase(ItemList list) {
  ItemListHeader* header = ListHeader(list);
  return header != NULL ? ListItem(header, 0) : NULL;
}

int ItemListWidth(ItemList list) {
  ItemListHeader* header = ListHeader(list);
  return header != NULL ? header->itemSize : 0;
}

int ItemListCount(ItemList list) {
  ItemListHeader* header = ListHeader(list);
  return header != NULL ? header->count : 0;
}

int ItemListSame(ItemList a, ItemList b) {
  ItemListHeader* x = ListHeader(a);
  ItemListHeader* y = ListHeader(b);
  if (x == NULL || y == NULL || x->count != y->count || x->itemSize != y->itemSize) return 0;
  return memcmp(ListItem(x, 0), ListItem(y, 0), static_cast<size_t>(x->count) * x->itemSize) == 0 ? 1 : 0;
}

int ItemListReserve(ItemList list, int n) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL || n < 0) return 0;
  const LONGLONG needed = static_cast<LONGLONG>(header->count) + n;
  return needed <= header->capacity ? 1 : SetCapacity(list, needed);
}

int ItemListForEach(ItemList list, int ascending, ItemVisitFn function, void* data) {
  ItemListHeader* header = ListHeader(list);
  if (header == NULL || function == NULL) return 0;
  int result = 0;
  const LONG count = header->count;
  for (LONG k = 0; k < count; ++k) {
    const LONG index = ascending ? k : count - 1 - k;
    header = ListHeader(list);  // the function may have grown the list
    if (header == NULL || index >= header->count) break;
    result = function(index + 1, ListItem(header, index), data);
    if (result < 0) break;
  }
  return result;
}
