// Copying sections from one INI object into another, item by item as the setters put them.
#include "stdafx.h"

#include "ini/IniFileData.h"
#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

// Each item keeps its quoted flag: the copy writes as the source does.
int CopySection(const IniSection* section, IniFile target, int replace) {
  if (replace) IniRemoveSection(target, section->name);
  for (int i = 1; i <= ItemListCount(section->items); ++i) {
    const IniItem* item = PointerAt<IniItem>(section->items, i);
    const int result = IniPutItem(target, section->name, item->tag, StrCopyNew(item->value), item->quoted);
    if (result != 1) return result;
  }
  return 1;
}

}  // namespace

int IniFileCopySections(IniFile source, const char* section, IniFile target, int replace) {
  if (source == NULL || target == NULL || source == target) return 0;
  if (section != NULL) {
    const IniSection* found = IniFindSection(source, section);
    return found != NULL ? CopySection(found, target, replace) : 0;
  }
  for (int i = 1; i <= ItemListCount(source->sections); ++i) {
    const int result = CopySection(PointerAt<IniSection>(source->sections, i), target, replace);
    if (result != 1) return result;
  }
  return 1;
}
