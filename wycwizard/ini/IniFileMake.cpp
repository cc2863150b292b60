// Making and freeing the INI object, its records, and its settings.
#include "stdafx.h"

#include "ini/IniFileData.h"
#include "toolbox/StrUtil.h"

namespace {

const size_t kTokenSize = 8;
const size_t kArenaBlock = 64 * 1024;
const size_t kArenaAlignment = 8;

// `size` bytes from the arena, aligned for the records; NULL when memory runs out.
void* ArenaAllocate(IniFile file, size_t size) {
  size = (size + kArenaAlignment - 1) / kArenaAlignment * kArenaAlignment;
  if (size > file->arenaLeft) {
    const size_t blockSize = size > kArenaBlock ? size : kArenaBlock;
    char* block = static_cast<char*>(malloc(blockSize));
    if (block == NULL) return NULL;
    if (ItemListInsert(file->arenaBlocks, &block, 0) <= 0) {
      free(block);
      return NULL;
    }
    file->arenaNext = block;
    file->arenaLeft = blockSize;
  }
  void* at = file->arenaNext;
  file->arenaNext += size;
  file->arenaLeft -= size;
  return at;
}

// The separator as written: the token with one blank on each side.
void SetSeparator(IniFile file, const char* separator) {
  StrCopyBounded(file->separator, separator, kTokenSize);
  file->separatorLength = static_cast<int>(strlen(file->separator));
  file->writeSeparatorLength = sprintf(file->writeSeparator, " %s ", file->separator);
}

}  // namespace

IniFile IniFileMake(int sorted) {
  IniFile file = static_cast<IniFile>(calloc(1, sizeof(tagIniFileRec)));
  if (file == NULL) return NULL;
  file->sections = ItemListNew(sizeof(IniSection*));
  file->scratch = MemHandleNew(0);
  file->arenaBlocks = ItemListNew(sizeof(char*));
  if (file->sections == NULL || file->scratch == NULL || file->arenaBlocks == NULL) {
    ItemListFree(file->sections);
    FreeMemHandle(file->scratch);
    ItemListFree(file->arenaBlocks);
    free(file);
    return NULL;
  }
  file->sorted = sorted != 0;
  file->lastLine = -1;
  SetSeparator(file, "=");
  file->openBracket = '[';
  file->closeBracket = ']';
  StrCopyBounded(file->comment, ";", kTokenSize);
  file->replaceDuplicates = 1;
  return file;
}

void IniFreeItem(IniItem* item) {
  if (item == NULL) return;
  if (!item->valueInBlock) free(item->value);
  if (!item->inArena) free(item);
}

void IniReplaceValue(IniItem* item, char* value) {
  if (!item->valueInBlock) free(item->value);
  item->value = value;
  item->valueInBlock = 0;
}

void IniFreeSection(IniSection* section) {
  if (section == NULL) return;
  const void* items = ItemListBase(section->items);
  for (int i = 0; i < ItemListCount(section->items); ++i) IniFreeItem(PointerIn<IniItem>(items, i));
  ItemListFree(section->items);
  ItemListFree(section->index);
  free(section->name);
  free(section);
}

void IniFileFree(IniFile file) {
  if (file == NULL) return;
  for (int i = 1; i <= ItemListCount(file->sections); ++i) IniFreeSection(PointerAt<IniSection>(file->sections, i));
  ItemListFree(file->sections);
  ItemListFree(file->sectionIndex);
  FreeMemHandle(file->scratch);
  ItemListFreeAll(file->arenaBlocks);
  free(file);
}

IniSection* IniNewSection(IniFile file, const char* name, int line) {
  IniSection* section = static_cast<IniSection*>(calloc(1, sizeof(IniSection)));
  if (section == NULL) return NULL;
  section->name = StrCopyTrimmed(name);
  section->items = ItemListNew(sizeof(IniItem*));
  if (section->name == NULL || section->items == NULL) {
    IniFreeSection(section);
    return NULL;
  }
  section->sorted = file->sorted;
  section->line = line;
  return section;
}

IniItem* IniNewItem(const char* tag, char* value, int line, int quoted) {
  const char* start = StrSkipBlanks(tag);
  size_t length = strlen(start);
  while (length > 0 && isspace(static_cast<unsigned char>(start[length - 1]))) --length;
  return IniMakeItem(start, length, value, line, quoted);
}

// One block holds the record and its tag: a read of many items makes one allocation fewer each.
IniItem* IniMakeItem(const char* tag, size_t length, char* value, int line, int quoted) {
  IniItem* item = value != NULL ? static_cast<IniItem*>(malloc(sizeof(IniItem) + length + 1)) : NULL;
  if (item == NULL) {
    free(value);
    return NULL;
  }
  item->tag = reinterpret_cast<char*>(item + 1);
  memcpy(item->tag, tag, length);
  item->tag[length] = '\0';
  item->value = value;
  item->line = line;
  item->quoted = quoted != 0;
  item->valueInBlock = 0;
  item->inArena = 0;
  return item;
}

IniItem* IniReadItem(IniFile file, const char* tag, size_t tagLength, const char* value, size_t valueLength, int line,
                     int quoted) {
  IniItem* item = static_cast<IniItem*>(ArenaAllocate(file, sizeof(IniItem) + tagLength + valueLength + 2));
  if (item == NULL) return NULL;
  item->tag = reinterpret_cast<char*>(item + 1);
  memcpy(item->tag, tag, tagLength);
  item->tag[tagLength] = '\0';
  item->value = item->tag + tagLength + 1;
  memcpy(item->value, value, valueLength);
  item->value[valueLength] = '\0';
  item->line = line;
  item->quoted = quoted != 0;
  item->valueInBlock = 1;
  item->inArena = 1;
  return item;
}

int IniFileSetSyntax(IniFile file, char open, char close, const char* separator, const char* comment) {
  if (file == NULL) return 0;
  if (open != '\0') file->openBracket = open;
  if (close != '\0') file->closeBracket = close;
  if (separator != NULL && *separator != '\0') SetSeparator(file, separator);
  if (comment != NULL && *comment != '\0') StrCopyBounded(file->comment, comment, kTokenSize);
  return 1;
}

int IniFileSetSectionGate(IniFile file, IniSectionGate gate, void* data) {
  if (file == NULL) return 0;
  file->sectionFilter = gate;
  file->sectionFilterData = data;
  return 1;
}

int IniFileSetSingleValued(IniFile file, int flag) {
  if (file == NULL) return 0;
  const int previous = file->replaceDuplicates;
  file->replaceDuplicates = flag != 0;
  return previous;
}
