// Growable lists of fixed-size items in one memory handle: a header of six 32-bit fields (magic
// 0x4C495354, growth percentage, minimum growth, capacity, item size, count) and four bytes kept
// zero, then the items packed one after the other. Items are only as aligned as the 28-byte
// header and their size make them: read and write them with ItemListFetch/ItemListPut or memcpy.
//
// Positions count from 1. Where noted, 0 means the last item (the end, for insertion) and -1 the
// first item (the front).
#pragma once

#include <windows.h>

#include <cstdio>

#include "toolbox/MemHandle.h"

typedef MemHandle ItemList;

// Compares two items (for searches the key comes first): negative, 0 or positive. Where a list
// operation takes NULL, the items' bytes are compared.
typedef int (*ItemCompareFn)(const void* a, const void* b);
// Called with the item's position and address; a negative result stops ForEach.
typedef int (*ItemVisitFn)(int position, void* item, void* data);
// Writes one item; the number of characters written, or a negative number on failure.
typedef int (*ItemPrintFn)(FILE* stream, const void* item);

#define ITEMLIST_MAGIC 0x4C495354
#define ITEMLIST_HEADER_SIZE 28

ItemList ItemListNew(int itemSize);
// 1, or 0 for a minimum below 1 or a negative percentage.
int ItemListSetGrowth(ItemList list, int minimum, int percentage);
void ItemListFree(ItemList list);
// Frees each item as a heap pointer (free), then the list.
void ItemListFreeAll(ItemList list);
// Count 0, capacity kept.
int ItemListEmpty(ItemList list);
// Same item size, growth settings and items; capacity = count. NULL when memory runs out.
ItemList ItemListClone(ItemList list);
// Appends every item of `other`: 1, 0 when the item sizes differ, or TBX_NO_MEMORY.
int ItemListConcat(ItemList list, ItemList other);

// Insert `n` items (zeroed when `items` is NULL) at `position` (1 to count+1; 0 appends; -1 is
// the front): the position of the first inserted item, 0 for another position, TBX_NO_MEMORY.
int ItemListInsert(ItemList list, const void* item, int position);
int ItemListInsertN(ItemList list, const void* items, int position, int n);
// Copy in, copy out, and copy out (when `item` is given) and close the gap: the position, or 0.
int ItemListPut(ItemList list, const void* item, int position);
int ItemListFetch(ItemList list, void* item, int position);
int ItemListTake(ItemList list, void* item, int position);
// The item's address, valid until the list next grows; NULL for a position without an item.
void* ItemListAt(ItemList list, int position);
void* ItemListBase(ItemList list);
int ItemListWidth(ItemList list);
int ItemListCount(ItemList list);
// 1 when both hold the same number of items of one size with identical bytes.
int ItemListSame(ItemList a, ItemList b);
// Ensures room for `n` more items (growing by exactly what is missing): 1 or TBX_NO_MEMORY.
int ItemListReserve(ItemList list, int n);

// Calls `function` on each item, first to last when `ascending` is non-zero, else last to first;
// stops at the first negative result and returns the last result (0 for an empty list).
int ItemListForEach(ItemList list, int ascending, ItemVisitFn function, void* data);
// Linear search from `start` (-1 the first item, 0 the last item only): the position or 0.
int ItemListScan(ItemList list, const void* item, int start, ItemCompareFn compare);
// Binary search of a sorted list: the position of a match, or 0.
int ItemListBisect(ItemList list, const void* item, ItemCompareFn compare);
// Binary search, then inserts at the match or the insertion point: the position, or TBX_NO_MEMORY.
int ItemListInsertSorted(ItemList list, const void* item, ItemCompareFn compare);
// 1 when no item compares greater than its successor.
int ItemListIsOrdered(ItemList list, ItemCompareFn compare);
// For each item, removes every later item equal to it: 1.
int ItemListDedupe(ItemList list, ItemCompareFn compare);
// Sort in place: 1 (0 for no list).
int ItemListQuickSort(ItemList list, ItemCompareFn compare);
int ItemListHeapSort(ItemList list, ItemCompareFn compare);
int ItemListInsertionSort(ItemList list, ItemCompareFn compare);

// Writes `header`, then each item as `prefix`, the item through `printer` and, between items,
// `separator`, then `trailer`, to `stream` (standard output when NULL). A "%d" in the prefix or
// separator is given the item's position, in the trailer the item count. Any of the texts may be
// NULL. The number of characters written, or the first negative result. Without a printer it
// writes "Error, no output function specified\n" and returns what that write returned.
int ItemListDump(ItemList list, FILE* stream, const char* header, const char* trailer, const char* prefix,
                 const char* separator, ItemPrintFn printer);

// Ready-made compare functions: 16-bit and 32-bit integers, floats, doubles, string pointers
// (byte order; NULL first) and raw bytes (the size of the list being worked on: only as an
// argument of the list operations).
int ItemCompareShort(const void* a, const void* b);
int ItemCompareLong(const void* a, const void* b);
int ItemCompareFloat(const void* a, const void* b);
int ItemCompareDouble(const void* a, const void* b);
int ItemCompareString(const void* a, const void* b);
int ItemCompareBytes(const void* a, const void* b);

// Ready-made item printers: "%d" for 32-bit and 16-bit integers, "%f" for doubles, "%s" for
// string pointers.
int ItemPrintInt(FILE* stream, const void* item);
int ItemPrintShort(FILE* stream, const void* item);
int ItemPrintDouble(FILE* stream, const void* item);
int ItemPrintString(FILE* stream, const void* item);
