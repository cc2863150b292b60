// The records of the INI-file library and the helpers its files share.
#pragma once

#include <windows.h>

#include <cstring>

#include "ini/IniFile.h"
#include "toolbox/ItemList.h"

struct IniItem {
  char* tag;          // trimmed; kept in the item's own block, after the record
  char* value;        // as stored
  int line;           // in the file read, 0 for an item put
  char quoted;        // written between double quotes
  char valueInBlock;  // the value follows the tag in the item's block (else it is a heap string)
  char inArena;       // the block is part of the object's arena (else it is a heap block)
};

struct IniSection {
  char* name;      // trimmed
  ItemList items;  // IniItem pointers, in file order or in tag order when sorted
  ItemList index;  // tag-ordered IniItem pointers, or NULL
  char sorted;
  int line;        // of the header, 0 for a section put
};

struct tagIniFileRec {
  ItemList sections;      // IniSection pointers, in file order or in name order when sorted
  ItemList sectionIndex;  // name-ordered IniSection pointers, or NULL
  IniSection* lastSection;
  char sorted;
  int lastLine;
  int separatorLength;
  char separator[8];
  char writeSeparator[12];
  int writeSeparatorLength;
  char openBracket;
  char closeBracket;
  char comment[8];
  int replaceDuplicates;
  IniSectionGate sectionFilter;
  void* sectionFilterData;
  MemHandle scratch;
  // The arena of the items read from files: large heap blocks that the records of read items are
  // cut from, freed with the object (a dropped read item's room is not reused before then).
  ItemList arenaBlocks;  // block pointers
  char* arenaNext;
  size_t arenaLeft;
};

// Lists hold pointers, packed after the 28-byte list header: they are read and written whole.
template <class T>
T* PointerAt(ItemList list, int position) {
  T* pointer = NULL;
  const void* at = ItemListAt(list, position);
  if (at != NULL) memcpy(&pointer, at, sizeof pointer);
  return pointer;
}

// The same in a loop over a list that does not change meanwhile: `base` is ItemListBase(list),
// `index` counts from 0.
template <class T>
T* PointerIn(const void* base, int index) {
  T* pointer;
  memcpy(&pointer, static_cast<const char*>(base) + static_cast<size_t>(index) * sizeof pointer, sizeof pointer);
  return pointer;
}

// The longest value written on one line; longer ones are written in " Line" pieces.
const size_t kIniPieceLength = 5000;

void IniFreeItem(IniItem* item);
void IniFreeSection(IniSection* section);
// A section of that (trimmed) name with no items, sorted as the file: NULL when memory runs out.
IniSection* IniNewSection(IniFile file, const char* name, int line);
// An item of the trimmed tag taking over `value` (freed on failure): NULL when memory runs out.
IniItem* IniNewItem(const char* tag, char* value, int line, int quoted);
// The same for a tag of `length` characters that is trimmed already.
IniItem* IniMakeItem(const char* tag, size_t length, char* value, int line, int quoted);
// An item read from a file: record, tag and value in one block cut from the object's arena (a
// read of many items makes few allocations). NULL when memory runs out.
IniItem* IniReadItem(IniFile file, const char* tag, size_t tagLength, const char* value, size_t valueLength, int line,
                     int quoted);
// Gives an item a new value (a heap string it takes over).
void IniReplaceValue(IniItem* item, char* value);

// The name as stored names compare with it: without leading and trailing white space (a copy
// only when the name has any). Empty when memory ran out.
class IniName {
 public:
  explicit IniName(const char* name);
  ~IniName();
  IniName(const IniName&) = delete;
  IniName& operator=(const IniName&) = delete;
  const char* Text() const { return text_; }

 private:
  const char* text_;
  char* copy_;
};

// The first section of that name, or NULL; a hit becomes the cache.
IniSection* IniFindSection(IniFile file, const char* name);
// The first item of that tag in the section, or NULL; a hit's line becomes the last line.
IniItem* IniFindItem(IniFile file, IniSection* section, const char* tag);
// Both lookups in one.
IniItem* IniFindItemIn(IniFile file, const char* section, const char* tag);

// Adds a section at its place (name order in a sorted file, else the end), and to the lookup
// index: 1, or TBX_NO_MEMORY with the section not added.
int IniAddSection(IniFile file, IniSection* section);
// Adds an item to a section the same way: 1, or TBX_NO_MEMORY with the item not added.
int IniAddItem(IniSection* section, IniItem* item);
// Removes (and frees) every item of that tag from the section and its index: how many went.
int IniRemoveItems(IniSection* section, const char* tag);
// Removes (and frees) the first section of that name, from the list and the index: 1, or 0.
int IniRemoveSection(IniFile file, const char* name);
// Puts an item made from `value` (taken over): replaces earlier items of the tag when the file is
// single-valued, creates the section when it is missing. 1 or TBX_NO_MEMORY.
int IniPutItem(IniFile file, const char* section, const char* tag, char* value, int quoted);

// Rebuilds the lookup copies of one section's items / of the sections: 1 or TBX_NO_MEMORY.
int IniIndexItems(IniSection* section);
int IniIndexSections(IniFile file);
// Sorts a list of section or item pointers by name, keeping the order of equal names.
int IniSortSections(ItemList sections);
int IniSortItems(ItemList items);

// Escapes: tab, line feed, double quote and backslash as two characters, other control
// characters as "\x" and two lowercase hex digits. A heap string, NULL when memory runs out.
char* IniEscape(const char* text);
// Unescapes into `out` (room for strlen(text) + 1); returns the length.
size_t IniUnescape(const char* text, char* out);
