// Searching lists, sorted insertion, order checks and removal of duplicates.
#include "stdafx.h"

#include "toolbox/ItemListBlock.h"
#include "toolbox/ToolboxResults.h"

int ItemListScan(ItemList list, const void* item, int start, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL || item == NULL) return 0;
  const LONG first = ExistingIndex(h, start);
  if (first < 0) return 0;
  ByteWidthScope width(h);
  for (LONG i = first; i < h->count; ++i)
    if (CompareItems(h, compare, item, ListItem(h, i)) == 0) return i + 1;
  return 0;
}

int ItemListBisect(ItemList list, const void* item, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL || item == NULL) return 0;
  ByteWidthScope width(h);
  const LONG found = BinarySearch(h, item, compare);
  return found >= 0 ? found + 1 : 0;
}

int ItemListInsertSorted(ItemList list, const void* item, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL || item == NULL) return 0;
  LONG found;
  {
    ByteWidthScope width(h);
    found = BinarySearch(h, item, compare);
  }
  return ItemListInsert(list, item, (found >= 0 ? found : ~found) + 1);
}

int ItemListIsOrdered(ItemList list, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL) return 0;
  ByteWidthScope width(h);
  for (LONG i = 1; i < h->count; ++i)
    if (CompareItems(h, compare, ListItem(h, i - 1), ListItem(h, i)) > 0) return 0;
  return 1;
}

int ItemListDedupe(ItemList list, ItemCompareFn compare) {
  ItemListHeader* h = ListHeader(list);
  if (h == NULL) return 0;
  ByteWidthScope width(h);
  for (LONG i = 0; i < h->count; ++i) {
    // The survivors move down over the removed items in one pass.
    LONG kept = i + 1;
    for (LONG j = i + 1; j < h->count; ++j) {
      if (CompareItems(h, compare, ListItem(h, i), ListItem(h, j)) == 0) continue;
      if (kept != j) memcpy(ListItem(h, kept), ListItem(h, j), static_cast<size_t>(h->itemSize));
      ++kept;
    }
    h->count = kept;
  }
  return 1;
}
