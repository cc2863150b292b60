// Dialog templates as the resource compiler writes them (DLGTEMPLATE and DLGTEMPLATEEX), read
// into one form: the dialog's window, its font and its controls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace user32::dialogs {

// A name or class given either as text or as an ordinal (0xFFFF then a WORD).
struct NameOrOrdinal {
  std::string text;
  WORD ordinal = 0;  // 0: text (possibly empty)
  bool IsOrdinal() const { return ordinal != 0; }
};

struct ItemTemplate {
  DWORD style = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::string className;  // the predefined classes' ordinals as their names ("Button" ...)
  NameOrOrdinal title;
  std::vector<BYTE> creationData;  // the bytes after the size word
};

struct DialogTemplate {
  bool extended = false;
  DWORD style = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::string title;
  // The font, with DS_SETFONT (or DS_SHELLFONT).
  bool hasFont = false;
  WORD pointSize = 0;
  WORD weight = 0;
  bool italic = false;
  BYTE charset = 0;
  std::string face;
  std::vector<ItemTemplate> items;
};

// Reads a template of at most `size` bytes (a resource's size; an in-memory template has none:
// pass SIZE_MAX). Texts are converted to the process code page. nullopt when it is malformed
// (it ends before its last field, or an item count or text runs past its end).
std::optional<DialogTemplate> ReadDialogTemplate(const void* data, size_t size);

}  // namespace user32::dialogs
