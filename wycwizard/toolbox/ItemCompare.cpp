// The ready-made compare functions and item printers. Items are read with memcpy: a list keeps
// them only as aligned as its header and item size make them.
#include "stdafx.h"

#include "toolbox/ItemList.h"

namespace {

template <class T>
T ItemValue(const void* item) {
  T value;
  memcpy(&value, item, sizeof value);
  return value;
}

template <class T>
int CompareValues(const void* a, const void* b) {
  const T x = ItemValue<T>(a), y = ItemValue<T>(b);
  return x < y ? -1 : (y < x ? 1 : 0);
}

}  // namespace

int ItemCompareShort(const void* a, const void* b) { return CompareValues<SHORT>(a, b); }
int ItemCompareLong(const void* a, const void* b) { return CompareValues<LONG>(a, b); }
int ItemCompareFloat(const void* a, const void* b) { return CompareValues<float>(a, b); }
int ItemCompareDouble(const void* a, const void* b) { return CompareValues<double>(a, b); }

int ItemCompareString(const void* a, const void* b) {
  const char* x = ItemValue<const char*>(a);
  const char* y = ItemValue<const char*>(b);
  if (x == NULL || y == NULL) return (x != NULL) - (y != NULL);
  return strcmp(x, y);
}

int ItemPrintInt(FILE* stream, const void* item) { return fprintf(stream, "%d", ItemValue<int>(item)); }
int ItemPrintShort(FILE* stream, const void* item) { return fprintf(stream, "%d", ItemValue<SHORT>(item)); }
int ItemPrintDouble(FILE* stream, const void* item) { return fprintf(stream, "%f", ItemValue<double>(item)); }
int ItemPrintString(FILE* stream, const void* item) { return fprintf(stream, "%s", ItemValue<const char*>(item)); }
