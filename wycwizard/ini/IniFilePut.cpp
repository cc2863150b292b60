// Putting items: the setters, each storing its text through IniPutItem.
#include "stdafx.h"

#include "ini/IniFileData.h"
#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

int PutFormatted(IniFile file, const char* section, const char* tag, const char* text) {
  return IniPutItem(file, section, tag, StrCopyNew(text), 0);
}

}  // namespace

int IniPutItem(IniFile file, const char* sectionName, const char* tag, char* value, int quoted) {
  if (file == NULL || sectionName == NULL || tag == NULL) {
    free(value);
    return 0;
  }
  IniItem* item = IniNewItem(tag, value, 0, quoted);
  if (item == NULL) return TBX_NO_MEMORY;
  IniSection* section = IniFindSection(file, sectionName);
  if (section != NULL) {
    if (file->replaceDuplicates) IniRemoveItems(section, item->tag);
    if (IniAddItem(section, item) == 1) return 1;
    IniFreeItem(item);
    return TBX_NO_MEMORY;
  }
  section = IniNewSection(file, sectionName, 0);
  if (section == NULL || IniAddItem(section, item) != 1) {
    IniFreeSection(section);
    IniFreeItem(item);
    return TBX_NO_MEMORY;
  }
  if (IniAddSection(file, section) != 1) {
    IniFreeSection(section);  // frees the item with it
    return TBX_NO_MEMORY;
  }
  return 1;
}

int IniFileSetRaw(IniFile file, const char* section, const char* tag, const char* text) {
  if (text == NULL) return 0;
  return IniPutItem(file, section, tag, StrCopyNew(text), 1);
}

int IniFileSetText(IniFile file, const char* section, const char* tag, const char* text) {
  return IniPutItem(file, section, tag, IniEscape(text != NULL ? text : ""), 1);
}

int IniFileSetLong(IniFile file, const char* section, const char* tag, LONG value) {
  char text[16];
  sprintf(text, "%ld", value);
  return PutFormatted(file, section, tag, text);
}

int IniFileSetULong(IniFile file, const char* section, const char* tag, ULONG value) {
  char text[16];
  sprintf(text, "%lu", value);
  return PutFormatted(file, section, tag, text);
}

// Infinities are written as the reader spells them: the run time's "%g" writes them in a form
// ("1.#INF") that strtod does not read back.
int IniFileSetReal(IniFile file, const char* section, const char* tag, double value) {
  char text[32];
  if (std::isinf(value)) strcpy(text, value > 0 ? "Inf" : "-Inf");
  else sprintf(text, "%.16g", value);
  return PutFormatted(file, section, tag, text);
}

int IniFileSetFlag(IniFile file, const char* section, const char* tag, int flag) {
  return PutFormatted(file, section, tag, flag ? "True" : "False");
}

int IniFileSetBytes(IniFile file, const char* section, const char* tag, const void* bytes, int count) {
  if (count < 0 || (bytes == NULL && count > 0)) return 0;
  return IniPutItem(file, section, tag, DataToText(bytes, count), 1);
}
