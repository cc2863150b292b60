// Reading: each line classified as a comment, a section header or an item; then the long values
// that were written in " Line" pieces are joined.
#include "stdafx.h"

#include <mbstring.h>

#include "ini/IniFileData.h"
#include "ini/IniStreamReader.h"
#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

const char kPieceMark[] = " Line";
const ULONGLONG kLargestLong = 0x7FFFFFFF;

// White space of the C locale: blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The end of `text` (from `start` to `end`) without trailing white space.
const char* TrimEnd(const char* start, const char* end) {
  while (end > start && IsBlank(end[-1])) --end;
  return end;
}

char* CopyRange(const char* start, const char* end) {
  const size_t length = static_cast<size_t>(end - start);
  char* copy = static_cast<char*>(malloc(length + 1));
  if (copy == NULL) return NULL;
  memcpy(copy, start, length);
  copy[length] = '\0';
  return copy;
}

// What one read has made so far: the section that takes items (NULL before the first header and
// inside a section the gate refused).
struct ReadState {
  IniSection* current;
};

// A section header: from the first non-blank character after the open bracket to the last close
// bracket of the line, which only white space may follow. 1 when the line is one (taken or
// ignored), TBX_NO_MEMORY.
int ReadHeader(IniFile file, const char* text, int line, ReadState& state) {
  const unsigned char* name = reinterpret_cast<const unsigned char*>(StrSkipBlanks(text + 1));
  const unsigned char* close = _mbsrchr(name, static_cast<unsigned char>(file->closeBracket));
  if (close == NULL || *StrSkipBlanks(reinterpret_cast<const char*>(close) + 1) != '\0') return 1;
  const char* start = reinterpret_cast<const char*>(name);
  const char* end = TrimEnd(start, reinterpret_cast<const char*>(close));
  if (end == start) return 1;
  char* sectionName = CopyRange(start, end);
  if (sectionName == NULL) return TBX_NO_MEMORY;
  if (file->sectionFilter != NULL && file->sectionFilter(file, file->sectionFilterData, sectionName) == 0) {
    free(sectionName);
    state.current = NULL;
    return 1;
  }
  IniSection* section = IniNewSection(file, sectionName, line);
  free(sectionName);
  if (section == NULL) return TBX_NO_MEMORY;
  // Read sections go to the end; a sorted file is put in order when the read is done.
  if (ItemListInsert(file->sections, &section, 0) <= 0) {
    IniFreeSection(section);
    return TBX_NO_MEMORY;
  }
  state.current = section;
  return 1;
}

// An item: the first separator splits the line into the tag and the value; a value that begins
// and ends with a double quote loses them and is marked quoted.
int ReadItem(IniFile file, const char* text, int line, ReadState& state) {
  const unsigned char* separator = _mbsstr(reinterpret_cast<const unsigned char*>(text),
                                           reinterpret_cast<const unsigned char*>(file->separator));
  if (separator == NULL || state.current == NULL) return 1;
  const char* tagEnd = TrimEnd(text, reinterpret_cast<const char*>(separator));
  const char* valueStart = StrSkipBlanks(reinterpret_cast<const char*>(separator) + file->separatorLength);
  const char* valueEnd = TrimEnd(valueStart, valueStart + strlen(valueStart));
  if (tagEnd == text || valueEnd == valueStart) return 1;  // an unquoted empty value is not kept
  int quoted = 0;
  if (valueEnd - valueStart >= 2 && *valueStart == '"' && valueEnd[-1] == '"') {
    ++valueStart;
    --valueEnd;
    quoted = 1;
  }
  IniItem* item = IniReadItem(file, text, static_cast<size_t>(tagEnd - text), valueStart,
                              static_cast<size_t>(valueEnd - valueStart), line, quoted);
  if (item == NULL) return TBX_NO_MEMORY;
  if (ItemListInsert(state.current->items, &item, 0) <= 0) return TBX_NO_MEMORY;  // its room stays in the arena
  return 1;
}

int ReadLine(IniFile file, const char* line, int number, ReadState& state) {
  const char* text = StrSkipBlanks(line);
  if (*text == '\0') return 1;
  if (strncmp(text, file->comment, strlen(file->comment)) == 0) return 1;
  if (*text == file->openBracket) return ReadHeader(file, text, number, state);
  return ReadItem(file, text, number, state);
}

// The number of a piece tag (base name, " Line", decimal digits that fit in a long), with the
// length of the base name; -1 for any other tag.
LONG PieceNumber(const char* tag, size_t* baseLength) {
  const char* mark = strstr(tag, kPieceMark);
  if (mark == NULL) return -1;
  const char* digits = mark + sizeof kPieceMark - 1;
  if (*digits == '\0') return -1;
  ULONGLONG number = 0;
  for (const char* p = digits; *p != '\0'; ++p) {
    if (!isdigit(static_cast<unsigned char>(*p))) return -1;
    number = number * 10 + static_cast<ULONGLONG>(*p - '0');
    if (number > kLargestLong) return -1;
  }
  *baseLength = static_cast<size_t>(mark - tag);
  return static_cast<LONG>(number);
}

// Joins each run of pieces: an item numbered 1 and the pieces right after it whose number is not
// 1 (their base names are not compared) become one item under the first one's base name.
int JoinPieces(IniSection* section) {
  for (int i = 1; i <= ItemListCount(section->items); ++i) {
    IniItem* first = PointerAt<IniItem>(section->items, i);
    size_t baseLength = 0;
    if (PieceNumber(first->tag, &baseLength) != 1) continue;
    size_t total = strlen(first->value);
    int last = i;
    for (int j = i + 1; j <= ItemListCount(section->items); ++j) {
      size_t ignored;
      const LONG number = PieceNumber(PointerAt<IniItem>(section->items, j)->tag, &ignored);
      if (number < 0 || number == 1) break;
      total += strlen(PointerAt<IniItem>(section->items, j)->value);
      last = j;
    }
    char* value = static_cast<char*>(malloc(total + 1));
    if (value == NULL) return TBX_NO_MEMORY;
    size_t length = 0;
    for (int j = i; j <= last; ++j) {
      const char* piece = PointerAt<IniItem>(section->items, j)->value;
      const size_t pieceLength = strlen(piece);
      memcpy(value + length, piece, pieceLength);
      length += pieceLength;
    }
    value[length] = '\0';
    IniReplaceValue(first, value);
    // The base name is a tag as any other: without trailing white space ("Name  Line0001").
    while (baseLength > 0 && IsBlank(first->tag[baseLength - 1])) --baseLength;
    first->tag[baseLength] = '\0';
    for (int j = last; j > i; --j) {
      IniItem* piece = PointerAt<IniItem>(section->items, j);
      ItemListTake(section->items, NULL, j);
      IniFreeItem(piece);
    }
  }
  return 1;
}

}  // namespace

int IniFileReadLines(IniFile file, IniLineReader reader, void* readerState) {
  if (file == NULL || reader == NULL) return 0;
  const bool indexed = file->sectionIndex != NULL;
  const int sectionsBefore = ItemListCount(file->sections);
  ReadState state = {NULL};
  int result = 0;
  for (int number = 1;; ++number) {
    char* line = NULL;
    const int got = reader(readerState, &line);
    if (got <= 0) {
      result = got;  // 0 at the end; a failure stops the read, what came before stays
      break;
    }
    if (ReadLine(file, line, number, state) != 1) {
      result = TBX_NO_MEMORY;
      break;
    }
  }
  for (int i = sectionsBefore + 1; i <= ItemListCount(file->sections); ++i)
    if (JoinPieces(PointerAt<IniSection>(file->sections, i)) != 1 && result == 0) result = TBX_NO_MEMORY;
  if (file->sorted && IniFileOrder(file) != 1 && result == 0) result = TBX_NO_MEMORY;
  if (indexed && IniFileIndexOn(file) != 1 && result == 0) result = TBX_NO_MEMORY;
  return result;
}

int IniFileRead(IniFile file, const char* path) {
  if (file == NULL || path == NULL) return INI_OPEN_FAILED;
  FILE* stream = fopen(path, "rb");
  if (stream == NULL) return INI_OPEN_FAILED;
  IniStreamReader reader;
  int result = IniStreamReaderOpen(&reader, stream);
  if (result == 1) result = IniFileReadLines(file, IniStreamReadLine, &reader);
  IniStreamReaderClose(&reader);
  fclose(stream);
  return result;
}
