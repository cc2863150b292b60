// Item lists: positions (0 the last or the end, -1 the first), the block layout and its growth,
// the three sorts, binary search, duplicates and the text dump.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "toolbox/ItemList.h"
#include "toolbox/ToolboxResults.h"

namespace {

// A list of ints with the given items.
ItemList IntList(const std::vector<int>& items) {
  ItemList list = ItemListNew(sizeof(int));
  for (int item : items) ItemListInsert(list, &item, 0);
  return list;
}

std::vector<int> Ints(ItemList list) {
  std::vector<int> items(static_cast<size_t>(ItemListCount(list)));
  for (int i = 1; i <= ItemListCount(list); ++i) ItemListFetch(list, &items[static_cast<size_t>(i - 1)], i);
  return items;
}

struct PositionCase {
  const char* operation;
  int position;
  int result;
  std::vector<int> after;  // the list of {10, 20, 30} afterwards
  int got = 0;             // the item copied out (fetch, take)
};

// The list {10, 20, 30}: count+1 appends for insertion only, count+2 fails everywhere.
TEST(ItemList, PositionsOfEveryOperation) {
  const PositionCase cases[] = {
      {.operation = "insert", .position = 0, .result = 4, .after = {10, 20, 30, 7}},
      {.operation = "insert", .position = -1, .result = 1, .after = {7, 10, 20, 30}},
      {.operation = "insert", .position = 2, .result = 2, .after = {10, 7, 20, 30}},
      {.operation = "insert", .position = 4, .result = 4, .after = {10, 20, 30, 7}},
      {.operation = "insert", .position = 5, .result = 0, .after = {10, 20, 30}},
      {.operation = "insert", .position = -2, .result = 0, .after = {10, 20, 30}},
      {.operation = "put", .position = 0, .result = 3, .after = {10, 20, 7}},
      {.operation = "put", .position = -1, .result = 1, .after = {7, 20, 30}},
      {.operation = "put", .position = 4, .result = 0, .after = {10, 20, 30}},
      {.operation = "put", .position = 5, .result = 0, .after = {10, 20, 30}},
      {.operation = "fetch", .position = 0, .result = 3, .after = {10, 20, 30}, .got = 30},
      {.operation = "fetch", .position = -1, .result = 1, .after = {10, 20, 30}, .got = 10},
      {.operation = "fetch", .position = 4, .result = 0, .after = {10, 20, 30}},
      {.operation = "fetch", .position = 5, .result = 0, .after = {10, 20, 30}},
      {.operation = "take", .position = 0, .result = 3, .after = {10, 20}, .got = 30},
      {.operation = "take", .position = -1, .result = 1, .after = {20, 30}, .got = 10},
      {.operation = "take", .position = 2, .result = 2, .after = {10, 30}, .got = 20},
      {.operation = "take", .position = 4, .result = 0, .after = {10, 20, 30}},
      {.operation = "take", .position = 5, .result = 0, .after = {10, 20, 30}},
  };
  for (const PositionCase& c : cases) {
    SCOPED_TRACE(std::string(c.operation) + " at " + std::to_string(c.position));
    ItemList list = IntList({10, 20, 30});
    int item = 7;
    int result = 0;
    const std::string op = c.operation;
    if (op == "insert") result = ItemListInsert(list, &item, c.position);
    if (op == "put") result = ItemListPut(list, &item, c.position);
    if (op == "fetch") result = ItemListFetch(list, &item, c.position);
    if (op == "take") result = ItemListTake(list, &item, c.position);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(Ints(list), c.after);
    if (c.got != 0) {
      EXPECT_EQ(item, c.got);
    }
    EXPECT_EQ(ItemListAt(list, c.position) != nullptr, c.position >= -1 && c.position <= ItemListCount(list));
    ItemListFree(list);
  }
}

TEST(ItemList, EmptyListsTakeAppendsAndFrontInsertsOnly) {
  ItemList list = ItemListNew(sizeof(int));
  int item = 5;
  EXPECT_EQ(ItemListFetch(list, &item, 0), 0);
  EXPECT_EQ(ItemListFetch(list, &item, -1), 0);
  EXPECT_EQ(ItemListTake(list, nullptr, 0), 0);
  EXPECT_EQ(ItemListAt(list, 0), nullptr);
  EXPECT_EQ(ItemListInsert(list, &item, 2), 0);
  EXPECT_EQ(ItemListInsert(list, &item, 0), 1);
  EXPECT_EQ(ItemListInsert(list, nullptr, -1), 1);  // none inserts a zeroed item
  EXPECT_EQ(Ints(list), (std::vector<int>{0, 5}));
  ItemListFree(list);
}

struct ScanCase {
  int start;
  int key;
  int result;
};

// The list {4, 8, 4, 9}: start -1 searches from the first item, 0 looks at the last item only.
TEST(ItemList, ScanStartsWhereItIsTold) {
  const ScanCase cases[] = {
      {.start = -1, .key = 4, .result = 1}, {.start = 1, .key = 4, .result = 1}, {.start = 2, .key = 4, .result = 3},
      {.start = 0, .key = 4, .result = 0},  {.start = 0, .key = 9, .result = 4}, {.start = 4, .key = 9, .result = 4},
      {.start = 5, .key = 9, .result = 0},  {.start = 6, .key = 9, .result = 0}, {.start = -1, .key = 5, .result = 0},
  };
  ItemList list = IntList({4, 8, 4, 9});
  for (const ScanCase& c : cases) {
    SCOPED_TRACE("start " + std::to_string(c.start) + " key " + std::to_string(c.key));
    EXPECT_EQ(ItemListScan(list, &c.key, c.start, ItemCompareLong), c.result);
    EXPECT_EQ(ItemListScan(list, &c.key, c.start, nullptr), c.result);  // the bytes compare alike
  }
  ItemListFree(list);
}

struct Header {
  uint32_t magic, percentage, minimum, capacity, itemSize, count, reserved;
};

Header HeaderOf(ItemList list) {
  Header h;
  std::memcpy(&h, list->block, sizeof h);
  return h;
}

// The block is 28 bytes of header, then capacity times the item size; a full list gains the
// larger of 10 % of its capacity and 4 items, plus the items being inserted.
TEST(ItemList, BlockLayoutAndGrowth) {
  ItemList list = ItemListNew(6);
  Header h = HeaderOf(list);
  EXPECT_EQ(h.magic, 0x4C495354u);
  EXPECT_EQ(h.percentage, 10u);
  EXPECT_EQ(h.minimum, 4u);
  EXPECT_EQ(h.capacity, 0u);
  EXPECT_EQ(h.itemSize, 6u);
  EXPECT_EQ(h.count, 0u);
  EXPECT_EQ(h.reserved, 0u);
  EXPECT_EQ(list->size, 28);

  const char item[6] = {'a', 'b', 'c', 'd', 'e', 'f'};
  std::vector<uint32_t> capacities;
  for (int i = 0; i < 60; ++i) {
    ItemListInsert(list, item, 0);
    if (capacities.empty() || capacities.back() != HeaderOf(list).capacity) capacities.push_back(HeaderOf(list).capacity);
  }
  // 0 -> 5 (4 + 1), 10, 15, 20, 25, 30, 35, 40, 45, 50, 56 (5 + 1), 62 (5 + 1)
  EXPECT_EQ(capacities, (std::vector<uint32_t>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 56, 62}));
  EXPECT_EQ(list->size, static_cast<LONG>(28 + 62 * 6));
  EXPECT_EQ(std::memcmp(static_cast<char*>(list->block) + 28 + 59 * 6, item, 6), 0);

  // Many at once: the growth plus all of them. A reservation grows by exactly what is missing.
  ItemListSetGrowth(list, 2, 50);
  ItemListInsertN(list, nullptr, 0, 10);  // 70 > 62: 62 + 31 + 10
  EXPECT_EQ(HeaderOf(list).capacity, 103u);
  EXPECT_EQ(ItemListReserve(list, 40), 1);  // 70 + 40 = 110
  EXPECT_EQ(HeaderOf(list).capacity, 110u);
  EXPECT_EQ(ItemListReserve(list, 5), 1);
  EXPECT_EQ(HeaderOf(list).capacity, 110u);
  EXPECT_EQ(ItemListEmpty(list), 1);
  EXPECT_EQ(ItemListCount(list), 0);
  EXPECT_EQ(HeaderOf(list).capacity, 110u);
  ItemListFree(list);
}

TEST(ItemList, CloneConcatSameAndForEach) {
  ItemList a = IntList({1, 2, 3});
  ItemListSetGrowth(a, 7, 25);
  ItemList clone = ItemListClone(a);
  EXPECT_EQ(HeaderOf(clone).capacity, 3u);
  EXPECT_EQ(HeaderOf(clone).minimum, 7u);
  EXPECT_EQ(HeaderOf(clone).percentage, 25u);
  EXPECT_EQ(ItemListSame(a, clone), 1);
  int changed = 9;
  ItemListPut(clone, &changed, 2);
  EXPECT_EQ(ItemListSame(a, clone), 0);

  EXPECT_EQ(ItemListConcat(a, clone), 1);
  EXPECT_EQ(Ints(a), (std::vector<int>{1, 2, 3, 1, 9, 3}));
  EXPECT_EQ(ItemListConcat(a, a), 1);  // the items come from the block that grows
  EXPECT_EQ(Ints(a), (std::vector<int>{1, 2, 3, 1, 9, 3, 1, 2, 3, 1, 9, 3}));
  ItemList shorts = ItemListNew(sizeof(short));
  EXPECT_EQ(ItemListConcat(a, shorts), 0);

  // Visits in either direction; a negative result stops and is returned.
  std::vector<int> seen;
  auto visit = [](int position, void* item, void* data) {
    int value;
    std::memcpy(&value, item, sizeof value);
    static_cast<std::vector<int>*>(data)->push_back(position * 100 + value);
    return value == 9 ? -5 : position;
  };
  ItemList plain = IntList({5, 6});
  EXPECT_EQ(ItemListForEach(plain, 1, visit, &seen), 2);
  EXPECT_EQ(seen, (std::vector<int>{105, 206}));
  ItemListFree(plain);
  seen.clear();
  EXPECT_EQ(ItemListForEach(clone, 1, visit, &seen), -5);
  EXPECT_EQ(seen, (std::vector<int>{101, 209}));
  seen.clear();
  EXPECT_EQ(ItemListForEach(clone, 0, visit, &seen), -5);
  EXPECT_EQ(seen, (std::vector<int>{303, 209}));
  ItemListFree(a);
  ItemListFree(clone);
  ItemListFree(shorts);
}

TEST(ItemList, FreeAllFreesEveryItemAsAHeapPointer) {
  ItemList list = ItemListNew(sizeof(char*));
  for (const char* text : {"one", "two", "three"}) {
    char* copy = strdup(text);
    ItemListInsert(list, &copy, 0);
  }
  ItemListFreeAll(list);  // the leak checker sees what is not freed
}

// The sorts take any item size; items of sizes 4, 2 and 1 byte multiples are swapped in words of
// that size. The key is the first byte, the rest of the item tells equal keys apart.
using SortFn = int (*)(ItemList, ItemCompareFn);

int CompareFirstByte(const void* a, const void* b) {
  return static_cast<int>(*static_cast<const unsigned char*>(a)) - *static_cast<const unsigned char*>(b);
}

struct Sort {
  const char* name;
  SortFn sort;
};
const Sort kSorts[] = {{"quick", ItemListQuickSort}, {"heap", ItemListHeapSort}, {"insertion", ItemListInsertionSort}};

std::vector<std::string> ItemsOf(ItemList list) {
  std::vector<std::string> items;
  const int width = ItemListWidth(list);
  for (int i = 1; i <= ItemListCount(list); ++i)
    items.emplace_back(static_cast<const char*>(ItemListAt(list, i)), static_cast<size_t>(width));
  return items;
}

TEST(ItemList, SortsOrderAPermutationOfTheirInput) {
  std::mt19937 random(1234);
  for (const Sort& s : kSorts) {
    for (int width = 1; width <= 12; ++width) {
      for (int count : {0, 1, 2, 3, 4, 5, 17, 1000}) {
        SCOPED_TRACE(std::string(s.name) + " width " + std::to_string(width) + " count " + std::to_string(count));
        ItemList list = ItemListNew(width);
        std::vector<char> item(static_cast<size_t>(width));
        for (int i = 0; i < count; ++i) {
          for (char& byte : item) byte = static_cast<char>(random());
          item[0] = static_cast<char>(random() % 50);  // equal keys come up often
          ItemListInsert(list, item.data(), 0);
        }
        std::vector<std::string> before = ItemsOf(list);
        EXPECT_EQ(s.sort(list, CompareFirstByte), 1);
        std::vector<std::string> after = ItemsOf(list);
        EXPECT_EQ(ItemListIsOrdered(list, CompareFirstByte), 1);
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, before);
        ItemListFree(list);
      }
    }
  }
}

TEST(ItemList, SortsOfAThousandEqualItems) {
  for (const Sort& s : kSorts) {
    SCOPED_TRACE(s.name);
    ItemList list = ItemListNew(8);
    for (int i = 0; i < 1000; ++i) {
      char item[8] = {42};
      std::memcpy(item + 4, &i, sizeof i);
      ItemListInsert(list, item, 0);
    }
    EXPECT_EQ(s.sort(list, CompareFirstByte), 1);
    std::vector<int> tags;
    for (int i = 1; i <= 1000; ++i) {
      int tag;
      std::memcpy(&tag, static_cast<char*>(ItemListAt(list, i)) + 4, sizeof tag);
      tags.push_back(tag);
    }
    std::sort(tags.begin(), tags.end());
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(tags[static_cast<size_t>(i)], i);
    ItemListFree(list);
  }
}

TEST(ItemList, ReadyMadeComparesOrderTheirTypes) {
  ItemList doubles = ItemListNew(sizeof(double));  // items 4 bytes off their alignment
  for (double d : {2.5, -1.0, 1e300, -0.5}) ItemListInsert(doubles, &d, 0);
  ItemListQuickSort(doubles, ItemCompareDouble);
  std::vector<double> sorted;
  for (int i = 1; i <= 4; ++i) {
    double d;
    ItemListFetch(doubles, &d, i);
    sorted.push_back(d);
  }
  EXPECT_EQ(sorted, (std::vector<double>{-1.0, -0.5, 2.5, 1e300}));
  ItemListFree(doubles);

  ItemList strings = ItemListNew(sizeof(const char*));
  for (const char* s : {"b", "B", "a", static_cast<const char*>(nullptr)}) ItemListInsert(strings, &s, 0);
  ItemListHeapSort(strings, ItemCompareString);
  std::vector<std::string> texts;
  for (int i = 1; i <= 4; ++i) {
    const char* s;
    ItemListFetch(strings, &s, i);
    texts.push_back(s ? s : "(none)");
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"(none)", "B", "a", "b"}));
  ItemListFree(strings);

  const short x = -3, y = 2;
  const float f = 1.5f, g = -2.0f;
  EXPECT_LT(ItemCompareShort(&x, &y), 0);
  EXPECT_GT(ItemCompareFloat(&f, &g), 0);
  const int big = 70000, small = -70000;
  EXPECT_GT(ItemCompareLong(&big, &small), 0);
}

// The key {4, 5} against the sorted list {2, 4, 4, 8}: every miss, below, between and above.
TEST(ItemList, BisectFindsMatchesAndAnswersMissesWithZero) {
  struct BisectCase {
    int key;
    bool found;
    int insertedAt;  // where InsertSorted puts it
  };
  const BisectCase cases[] = {
      {.key = 1, .found = false, .insertedAt = 1}, {.key = 2, .found = true, .insertedAt = 1},
      {.key = 3, .found = false, .insertedAt = 2}, {.key = 4, .found = true, .insertedAt = 0},
      {.key = 5, .found = false, .insertedAt = 4}, {.key = 8, .found = true, .insertedAt = 4},
      {.key = 9, .found = false, .insertedAt = 5},
  };
  for (const BisectCase& c : cases) {
    SCOPED_TRACE(c.key);
    ItemList list = IntList({2, 4, 4, 8});
    const int position = ItemListBisect(list, &c.key, ItemCompareLong);
    if (c.found) {
      ASSERT_GT(position, 0);
      int item;
      ItemListFetch(list, &item, position);
      EXPECT_EQ(item, c.key);
    } else {
      EXPECT_EQ(position, 0);
    }
    const int inserted = ItemListInsertSorted(list, &c.key, ItemCompareLong);
    if (c.insertedAt != 0) {
      EXPECT_EQ(inserted, c.insertedAt);
    }
    EXPECT_EQ(ItemListIsOrdered(list, ItemCompareLong), 1);
    EXPECT_EQ(ItemListCount(list), 5);
    ItemListFree(list);
  }
  ItemList empty = ItemListNew(sizeof(int));
  const int key = 3;
  EXPECT_EQ(ItemListBisect(empty, &key, ItemCompareLong), 0);
  ItemListFree(empty);
}

TEST(ItemList, DedupeKeepsTheFirstOfEachValueInOrder) {
  ItemList list = IntList({3, 1, 3, 3, 2, 1, 4, 2});
  EXPECT_EQ(ItemListDedupe(list, ItemCompareLong), 1);
  EXPECT_EQ(Ints(list), (std::vector<int>{3, 1, 2, 4}));
  ItemListFree(list);
}

std::string Dumped(ItemList list, const char* header, const char* trailer, const char* prefix, const char* separator,
                   ItemPrintFn printer, int* result) {
  char* text = nullptr;
  size_t size = 0;
  FILE* stream = open_memstream(&text, &size);
  *result = ItemListDump(list, stream, header, trailer, prefix, separator, printer);
  std::fclose(stream);
  std::string out(text, size);
  std::free(text);
  return out;
}

TEST(ItemList, DumpNumbersPrefixesSeparatorsAndTheTrailer) {
  ItemList list = IntList({-7, 0, 1200});
  int result = 0;
  const std::string text = Dumped(list, "{", "} %d items", "[%d]=", ", %d%%: ", ItemPrintInt, &result);
  EXPECT_EQ(text, "{[1]=-7, 2%: [2]=0, 3%: [3]=1200} 3 items");
  EXPECT_EQ(result, static_cast<int>(text.size()));
  // Texts are never used as formats: a stray conversion reads no argument.
  EXPECT_EQ(Dumped(list, "%s", nullptr, "%s", nullptr, ItemPrintInt, &result), "%s%s-7%s0%s1200");
  EXPECT_EQ(Dumped(list, "x", "y", "p", "s", nullptr, &result), "Error, no output function specified\n");
  EXPECT_EQ(result, static_cast<int>(std::strlen("Error, no output function specified\n")));
  ItemListFree(list);

  ItemList doubles = ItemListNew(sizeof(double));
  const double d = 0.25;
  ItemListInsert(doubles, &d, 0);
  EXPECT_EQ(Dumped(doubles, nullptr, nullptr, nullptr, nullptr, ItemPrintDouble, &result), "0.250000");
  ItemListFree(doubles);
  ItemList strings = ItemListNew(sizeof(const char*));
  const char* s = "text";
  const short h = -2;
  ItemListInsert(strings, &s, 0);
  EXPECT_EQ(Dumped(strings, nullptr, nullptr, nullptr, nullptr, ItemPrintString, &result), "text");
  EXPECT_EQ(result, 4);
  ItemListFree(strings);
  ItemList shorts = ItemListNew(sizeof(short));
  ItemListInsert(shorts, &h, 0);
  EXPECT_EQ(Dumped(shorts, nullptr, nullptr, nullptr, nullptr, ItemPrintShort, &result), "-2");
  ItemListFree(shorts);
}

TEST(ItemList, DumpReturnsTheFirstFailure) {
  ItemList list = IntList({1, 2});
  FILE* readOnly = fmemopen(const_cast<char*>("x"), 1, "r");
  EXPECT_LT(ItemListDump(list, readOnly, "h", "t", "p", "s", ItemPrintInt), 0);
  std::fclose(readOnly);
  ItemListFree(list);
}

}  // namespace
