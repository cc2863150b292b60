// Getting items: as stored, unescaped, and typed.
#include "stdafx.h"

#include "ini/IniFileData.h"
#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

const LONG kScratchStep = 1024;

// The stored value of an item, or NULL when the section or item is missing.
const char* StoredValue(IniFile file, const char* section, const char* tag) {
  IniItem* item = IniFindItemIn(file, section, tag);
  return item != NULL ? item->value : NULL;
}

// The stored value for a typed getter: NULL also for an empty or blank one.
const char* TypedValue(IniFile file, const char* section, const char* tag) {
  const char* value = StoredValue(file, section, tag);
  return StrHasText(value) ? value : NULL;
}

// A heap copy of the unescaped value.
char* UnescapedCopy(const char* value) {
  char* text = static_cast<char*>(malloc(strlen(value) + 1));
  if (text != NULL) IniUnescape(value, text);
  return text;
}

// What the run time's strtod reads as a number: digits with sign, point and exponent only (the
// host's also reads "nan", "infinity" and hexadecimal forms).
bool IsDecimalNumber(const char* text) {
  const char* p = StrSkipBlanks(text);
  if (*p == '+' || *p == '-') ++p;
  if (!isdigit(static_cast<unsigned char>(*p)) && *p != '.') return false;
  for (; *p != '\0'; ++p)
    if (!isdigit(static_cast<unsigned char>(*p)) && strchr("+-.eE", *p) == NULL) return false;
  return true;
}

int ParseReal(const char* text, double* value) {
  const char* p = StrSkipBlanks(text);
  const char* word = *p == '+' || *p == '-' ? p + 1 : p;
  if (_stricmp(word, "Inf") == 0) {
    *value = *p == '-' ? -HUGE_VAL : HUGE_VAL;
    return 1;
  }
  if (!IsDecimalNumber(text)) return INI_BAD_VALUE;
  char* end = NULL;
  errno = 0;
  const double parsed = strtod(text, &end);
  if (end == text || *end != '\0' || errno == ERANGE) return INI_BAD_VALUE;
  *value = parsed;
  return 1;
}

}  // namespace

int IniFileRaw(IniFile file, const char* section, const char* tag, const char** text) {
  if (text == NULL) return 0;
  *text = StoredValue(file, section, tag);
  return *text != NULL ? 1 : 0;
}

int IniFileText(IniFile file, const char* section, const char* tag, const char** text) {
  if (text == NULL) return 0;
  *text = NULL;
  const char* value = StoredValue(file, section, tag);
  if (value == NULL) return 0;
  // The scratch buffer grows in steps of 1024 bytes to hold the longest text so far.
  const LONG needed = static_cast<LONG>(strlen(value)) + 1;
  if (MemHandleSize(file->scratch) < needed &&
      !MemHandleResize(file->scratch, (needed + kScratchStep - 1) / kScratchStep * kScratchStep))
    return TBX_NO_MEMORY;
  char* scratch = static_cast<char*>(file->scratch->block);
  IniUnescape(value, scratch);
  *text = scratch;
  return 1;
}

int IniFileTextCopy(IniFile file, const char* section, const char* tag, char** text) {
  if (text == NULL) return 0;
  *text = NULL;
  const char* value = StoredValue(file, section, tag);
  if (value == NULL) return 0;
  *text = UnescapedCopy(value);
  return *text != NULL ? 1 : TBX_NO_MEMORY;
}

int IniFileRawCopy(IniFile file, const char* section, const char* tag, char** text) {
  if (text == NULL) return 0;
  *text = NULL;
  const char* value = StoredValue(file, section, tag);
  if (value == NULL) return 0;
  *text = StrCopyNew(value);
  return *text != NULL ? 1 : TBX_NO_MEMORY;
}

int IniFileTextInto(IniFile file, const char* section, const char* tag, char* buffer, int size) {
  if (buffer == NULL || size < 1) return 0;
  *buffer = '\0';
  char* text = NULL;
  const int result = IniFileTextCopy(file, section, tag, &text);
  if (result == 1) StrCopyBounded(buffer, text, size);
  free(text);
  return result;
}

int IniFileRawInto(IniFile file, const char* section, const char* tag, char* buffer, int size) {
  if (buffer == NULL || size < 1) return 0;
  *buffer = '\0';
  const char* value = StoredValue(file, section, tag);
  if (value == NULL) return 0;
  StrCopyBounded(buffer, value, size);
  return 1;
}

int IniFileLong(IniFile file, const char* section, const char* tag, LONG* value) {
  if (value == NULL) return 0;
  *value = 0;
  const char* text = TypedValue(file, section, tag);
  return text != NULL ? StrToLongStrict(text, value) : 0;
}

int IniFileULong(IniFile file, const char* section, const char* tag, ULONG* value) {
  if (value == NULL) return 0;
  *value = 0;
  const char* text = TypedValue(file, section, tag);
  return text != NULL ? StrToULongStrict(text, value) : 0;
}

int IniFileReal(IniFile file, const char* section, const char* tag, double* value) {
  if (value == NULL) return 0;
  *value = 0;
  const char* text = TypedValue(file, section, tag);
  return text != NULL ? ParseReal(text, value) : 0;
}

int IniFileFlag(IniFile file, const char* section, const char* tag, int* flag) {
  if (flag == NULL) return 0;
  *flag = 0;
  const char* text = TypedValue(file, section, tag);
  if (text == NULL) return 0;
  if (_stricmp(text, "True") == 0) *flag = 1;
  else if (_stricmp(text, "False") != 0) return INI_BAD_VALUE;
  return 1;
}

int IniFileBytes(IniFile file, const char* section, const char* tag, void** bytes, int* count) {
  if (bytes == NULL || count == NULL) return 0;
  *bytes = NULL;
  *count = 0;
  const char* text = StoredValue(file, section, tag);
  if (text == NULL) return 0;
  return TextToData(text, bytes, count);
}
