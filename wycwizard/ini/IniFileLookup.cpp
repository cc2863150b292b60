// Finding, adding and removing sections and items; name order and the lookup indexes.
//
// Sections and items of one name keep their file order when sorted or indexed (ties are broken
// by the original position), so a lookup by binary search finds the same first match as a linear
// search of an unsorted twin.
#include "stdafx.h"

#include "ini/IniFileData.h"
#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

const char* NameOf(const IniSection* section) { return section->name; }
const char* NameOf(const IniItem* item) { return item->tag; }

// Position (from 1) of the first entry of `list` whose name is not below `name`.
template <class T>
int LowerBound(ItemList list, const char* name) {
  int low = 1, high = ItemListCount(list) + 1;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (_stricmp(NameOf(PointerAt<T>(list, middle)), name) < 0) low = middle + 1;
    else high = middle;
  }
  return low;
}

// Position (from 1) of the first entry of `list` whose name is above `name`.
template <class T>
int UpperBound(ItemList list, const char* name) {
  int low = 1, high = ItemListCount(list) + 1;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (_stricmp(NameOf(PointerAt<T>(list, middle)), name) <= 0) low = middle + 1;
    else high = middle;
  }
  return low;
}

// The first entry of that name: binary search in a name-ordered list, else a linear one.
template <class T>
T* FindFirst(ItemList list, bool ordered, const char* name) {
  const int count = ItemListCount(list);
  if (ordered) {
    const int position = LowerBound<T>(list, name);
    T* found = position <= count ? PointerAt<T>(list, position) : NULL;
    return found != NULL && _stricmp(NameOf(found), name) == 0 ? found : NULL;
  }
  for (int i = 1; i <= count; ++i) {
    T* entry = PointerAt<T>(list, i);
    if (_stricmp(NameOf(entry), name) == 0) return entry;
  }
  return NULL;
}

// Inserts `entry` after every entry of its name in a name-ordered list, else at the end.
template <class T>
int AddEntry(ItemList list, bool ordered, T* entry) {
  const int position = ordered ? UpperBound<T>(list, NameOf(entry)) : 0;
  return ItemListInsert(list, &entry, position) > 0 ? 1 : TBX_NO_MEMORY;
}

// Removes the pointer `entry` from `list` (an index): found by its bytes.
template <class T>
void RemoveEntry(ItemList list, T* entry) {
  const int position = ItemListScan(list, &entry, -1, NULL);
  if (position > 0) ItemListTake(list, NULL, position);
}

// Name-ordered sort that keeps the order of equal names: each pointer is sorted with its
// original position.
struct Ranked {
  void* entry;
  LONG rank;
};

template <class T>
int CompareRanked(const void* a, const void* b) {
  Ranked x, y;
  memcpy(&x, a, sizeof x);
  memcpy(&y, b, sizeof y);
  const int order = _stricmp(NameOf(static_cast<T*>(x.entry)), NameOf(static_cast<T*>(y.entry)));
  if (order != 0) return order;
  return x.rank < y.rank ? -1 : (x.rank > y.rank ? 1 : 0);
}

template <class T>
int SortByName(ItemList list) {
  const int count = ItemListCount(list);
  ItemList ranked = ItemListNew(sizeof(Ranked));
  if (ranked == NULL || ItemListReserve(ranked, count) != 1) {
    ItemListFree(ranked);
    return TBX_NO_MEMORY;
  }
  for (int i = 1; i <= count; ++i) {
    const Ranked entry = {PointerAt<T>(list, i), i};
    ItemListInsert(ranked, &entry, 0);
  }
  ItemListQuickSort(ranked, CompareRanked<T>);
  for (int i = 1; i <= count; ++i) {
    Ranked entry;
    ItemListFetch(ranked, &entry, i);
    ItemListPut(list, &entry.entry, i);
  }
  ItemListFree(ranked);
  return 1;
}

// Replaces `index` with a name-ordered copy of `list`: 1, or TBX_NO_MEMORY with `index` as it was.
template <class T>
int Reindex(ItemList list, ItemList& index) {
  ItemList copy = ItemListClone(list);
  if (copy == NULL || SortByName<T>(copy) != 1) {
    ItemListFree(copy);
    return TBX_NO_MEMORY;
  }
  ItemListFree(index);
  index = copy;
  return 1;
}

void DropIndexes(IniFile file) {
  ItemListFree(file->sectionIndex);
  file->sectionIndex = NULL;
  for (int i = 1; i <= ItemListCount(file->sections); ++i) {
    IniSection* section = PointerAt<IniSection>(file->sections, i);
    ItemListFree(section->index);
    section->index = NULL;
  }
}

}  // namespace

IniName::IniName(const char* name) : text_(name != NULL ? name : ""), copy_(NULL) {
  const size_t length = strlen(text_);
  if (length > 0 && (isspace(static_cast<unsigned char>(text_[0])) || isspace(static_cast<unsigned char>(text_[length - 1])))) {
    copy_ = StrCopyTrimmed(text_);
    text_ = copy_ != NULL ? copy_ : "";
  }
}

IniName::~IniName() { free(copy_); }

int IniSortSections(ItemList sections) { return SortByName<IniSection>(sections); }
int IniSortItems(ItemList items) { return SortByName<IniItem>(items); }

IniSection* IniFindSection(IniFile file, const char* name) {
  if (file == NULL || name == NULL) return NULL;
  IniName key(name);
  if (file->lastSection != NULL && _stricmp(file->lastSection->name, key.Text()) == 0) return file->lastSection;
  IniSection* found = file->sectionIndex != NULL ? FindFirst<IniSection>(file->sectionIndex, true, key.Text())
                                                 : FindFirst<IniSection>(file->sections, file->sorted, key.Text());
  if (found != NULL) file->lastSection = found;
  return found;
}

IniItem* IniFindItem(IniFile file, IniSection* section, const char* tag) {
  if (section == NULL || tag == NULL) return NULL;
  IniName key(tag);
  IniItem* found = section->index != NULL ? FindFirst<IniItem>(section->index, true, key.Text())
                                          : FindFirst<IniItem>(section->items, section->sorted, key.Text());
  if (found != NULL) file->lastLine = found->line;
  return found;
}

IniItem* IniFindItemIn(IniFile file, const char* section, const char* tag) {
  return IniFindItem(file, IniFindSection(file, section), tag);
}

int IniAddSection(IniFile file, IniSection* section) {
  if (AddEntry(file->sections, file->sorted, section) != 1) return TBX_NO_MEMORY;
  if (file->sectionIndex != NULL && AddEntry(file->sectionIndex, true, section) != 1) {
    ItemListFree(file->sectionIndex);
    file->sectionIndex = NULL;
  }
  return 1;
}

int IniAddItem(IniSection* section, IniItem* item) {
  if (AddEntry(section->items, section->sorted, item) != 1) return TBX_NO_MEMORY;
  if (section->index != NULL && AddEntry(section->index, true, item) != 1) {
    ItemListFree(section->index);
    section->index = NULL;
  }
  return 1;
}

int IniRemoveItems(IniSection* section, const char* tag) {
  IniName key(tag);
  int removed = 0;
  int position = section->sorted ? LowerBound<IniItem>(section->items, key.Text()) : 1;
  while (position <= ItemListCount(section->items)) {
    IniItem* item = PointerAt<IniItem>(section->items, position);
    if (_stricmp(item->tag, key.Text()) != 0) {
      if (section->sorted) break;  // past the run of that tag
      ++position;
      continue;
    }
    ItemListTake(section->items, NULL, position);
    if (section->index != NULL) RemoveEntry(section->index, item);
    IniFreeItem(item);
    ++removed;
  }
  return removed;
}

int IniRemoveSection(IniFile file, const char* name) {
  IniSection* section = IniFindSection(file, name);
  if (section == NULL) return 0;
  RemoveEntry(file->sections, section);
  if (file->sectionIndex != NULL) RemoveEntry(file->sectionIndex, section);
  if (file->lastSection == section) file->lastSection = NULL;
  IniFreeSection(section);
  return 1;
}

int IniIndexItems(IniSection* section) { return Reindex<IniItem>(section->items, section->index); }
int IniIndexSections(IniFile file) { return Reindex<IniSection>(file->sections, file->sectionIndex); }

int IniFileOrder(IniFile file) {
  if (file == NULL) return 0;
  for (int i = 1; i <= ItemListCount(file->sections); ++i) {
    IniSection* section = PointerAt<IniSection>(file->sections, i);
    if (IniSortItems(section->items) != 1) return TBX_NO_MEMORY;
    section->sorted = 1;
  }
  if (IniSortSections(file->sections) != 1) return TBX_NO_MEMORY;
  file->sorted = 1;
  return 1;
}

int IniFileIndexOn(IniFile file) {
  if (file == NULL) return 0;
  for (int i = 1; i <= ItemListCount(file->sections); ++i) {
    if (IniIndexItems(PointerAt<IniSection>(file->sections, i)) != 1) {
      DropIndexes(file);
      return TBX_NO_MEMORY;
    }
  }
  if (IniIndexSections(file) != 1) {
    DropIndexes(file);
    return TBX_NO_MEMORY;
  }
  return 1;
}

int IniFileIndexOff(IniFile file) {
  if (file == NULL) return 0;
  DropIndexes(file);
  return 1;
}
