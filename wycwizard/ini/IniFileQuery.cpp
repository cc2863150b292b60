// Counting, naming, testing and dropping sections and items.
#include "stdafx.h"

#include "ini/IniFileData.h"

int IniFileSectionTotal(IniFile file) { return file != NULL ? ItemListCount(file->sections) : 0; }

int IniFileSectionName(IniFile file, int n, const char** name) {
  if (name != NULL) *name = NULL;
  if (file == NULL || name == NULL || n < 1 || n > ItemListCount(file->sections)) return 0;
  *name = PointerAt<IniSection>(file->sections, n)->name;
  return 1;
}

int IniFileHasSection(IniFile file, const char* section) { return IniFindSection(file, section) != NULL ? 1 : 0; }

int IniFileItemTotal(IniFile file, const char* section) {
  IniSection* found = IniFindSection(file, section);
  return found != NULL ? ItemListCount(found->items) : 0;
}

int IniFileItemTag(IniFile file, const char* section, int n, const char** tag) {
  if (tag != NULL) *tag = NULL;
  IniSection* found = IniFindSection(file, section);
  if (found == NULL || tag == NULL || n < 1 || n > ItemListCount(found->items)) return 0;
  *tag = PointerAt<IniItem>(found->items, n)->tag;
  return 1;
}

int IniFileHasItem(IniFile file, const char* section, const char* tag) {
  return IniFindItemIn(file, section, tag) != NULL ? 1 : 0;
}

int IniFileDropSection(IniFile file, const char* section) { return IniRemoveSection(file, section); }

int IniFileDropItem(IniFile file, const char* section, const char* tag) {
  IniSection* found = IniFindSection(file, section);
  if (found == NULL || tag == NULL) return 0;
  return IniRemoveItems(found, tag) > 0 ? 1 : 0;
}

int IniFileLastLine(IniFile file) { return file != NULL ? file->lastLine : -1; }
