// Writing: every section with its items into a temporary file beside the target, which replaces
// the target in one step only when every write, the flush and the close succeeded.
#include "stdafx.h"

#include "ini/IniFileData.h"
#include "toolbox/FileUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

const char kTempPrefix[] = "ini$$";
const char kTempExtension[] = "TMP";
const char kPieceFormat[] = "%s%s%04d";
const size_t kFirstCapacity = 64 * 1024;
const size_t kDrainAt = 32 * 1024;

// Lines collect here, CR LF at their ends and every LF inside a text written as CR LF, and go out
// a chunk at a time. The first failure is kept; later calls then do nothing.
struct Output {
  FILE* stream;
  char* text;
  size_t length;
  size_t capacity;
  int result;  // 0, or the first failure
};

bool Reserve(Output& out, size_t more) {
  if (out.result != 0) return false;
  if (out.length + more <= out.capacity) return true;
  size_t capacity = out.capacity;
  while (out.length + more > capacity) capacity *= 2;
  char* grown = static_cast<char*>(realloc(out.text, capacity));
  if (grown == NULL) {
    out.result = TBX_NO_MEMORY;
    return false;
  }
  out.text = grown;
  out.capacity = capacity;
  return true;
}

// Bytes as they are (no LF among them).
void AddBytes(Output& out, const char* text, size_t length) {
  if (!Reserve(out, length)) return;
  memcpy(out.text + out.length, text, length);
  out.length += length;
}

// A text that may hold line feeds: each goes out as CR LF.
void Add(Output& out, const char* text, size_t length) {
  for (;;) {
    const char* newline = static_cast<const char*>(memchr(text, '\n', length));
    if (newline == NULL) {
      AddBytes(out, text, length);
      return;
    }
    const size_t run = static_cast<size_t>(newline - text);
    AddBytes(out, text, run);
    AddBytes(out, "\r\n", 2);
    text = newline + 1;
    length -= run + 1;
  }
}

void Add(Output& out, const char* text) { Add(out, text, strlen(text)); }

void EndLine(Output& out) { AddBytes(out, "\r\n", 2); }

void Drain(Output& out) {
  if (out.result != 0 || out.length == 0) return;
  if (fwrite(out.text, 1, out.length, out.stream) != out.length) out.result = TBX_WRITE_FAILED;
  out.length = 0;
}

// One line: tag, the write separator, the value (between double quotes when quoted).
void AddLine(IniFile file, Output& out, const char* tag, const char* value, size_t length, bool quoted) {
  Add(out, tag);
  AddBytes(out, file->writeSeparator, static_cast<size_t>(file->writeSeparatorLength));
  if (quoted) AddBytes(out, "\"", 1);
  Add(out, value, length);
  if (quoted) AddBytes(out, "\"", 1);
  EndLine(out);
  if (out.length >= kDrainAt) Drain(out);
}

// A value longer than one line takes is written in pieces named tag + " Line" + 0001, 0002 ...
void AddItem(IniFile file, Output& out, const IniItem* item) {
  const size_t length = strlen(item->value);
  if (length <= kIniPieceLength) {
    AddLine(file, out, item->tag, item->value, length, item->quoted != 0);
    return;
  }
  const size_t tagSize = strlen(item->tag) + 16;
  char* tag = static_cast<char*>(malloc(tagSize));
  if (tag == NULL) {
    out.result = TBX_NO_MEMORY;
    return;
  }
  for (size_t start = 0, number = 1; start < length; start += kIniPieceLength, ++number) {
    _snprintf(tag, tagSize, kPieceFormat, item->tag, " Line", static_cast<int>(number));
    const size_t piece = length - start < kIniPieceLength ? length - start : kIniPieceLength;
    AddLine(file, out, tag, item->value + start, piece, item->quoted != 0);
  }
  free(tag);
}

// Every section in list order: the header ("%c%s%c"), its items in list order, an empty line.
int WriteAll(IniFile file, FILE* stream) {
  Output out = {stream, static_cast<char*>(malloc(kFirstCapacity)), 0, kFirstCapacity, 0};
  if (out.text == NULL) return TBX_NO_MEMORY;
  for (int s = 1; s <= ItemListCount(file->sections) && out.result == 0; ++s) {
    const IniSection* section = PointerAt<IniSection>(file->sections, s);
    AddBytes(out, &file->openBracket, 1);
    Add(out, section->name);
    AddBytes(out, &file->closeBracket, 1);
    EndLine(out);
    const void* items = ItemListBase(section->items);
    for (int i = 0; i < ItemListCount(section->items); ++i) AddItem(file, out, PointerIn<IniItem>(items, i));
    EndLine(out);
  }
  Drain(out);
  free(out.text);
  return out.result;
}

}  // namespace

int IniFileWrite(IniFile file, const char* path) {
  if (file == NULL) return 0;
  if (path == NULL) {
    const int result = WriteAll(file, stdout);
    return result == 0 && fflush(stdout) != 0 ? TBX_WRITE_FAILED : result;
  }
  // An existing target must open for update. A new one is not probed by creating it and removing
  // it again: a failing removal, or a crash in between, would leave an empty file where there was
  // none. The temporary file, made in the same folder, is the probe: when it cannot be made for a
  // new target, the target cannot be created either.
  const bool existed = _access(path, 0) == 0;
  if (!existed && errno != ENOENT) return TBX_FILE_STATE_UNKNOWN;
  if (existed) {
    int writable = 0;
    const int checked = FileCanWrite(path, &writable);
    if (checked < 0) return checked;
    if (!writable) return TBX_CANNOT_WRITE;
  }
  char tempName[_MAX_PATH];
  FILE* stream = NULL;
  if (FileOpenTemp(path, kTempPrefix, kTempExtension, "wb", tempName, &stream) != 1)
    return existed ? TBX_NO_TEMP_FILE : TBX_CANNOT_WRITE;
  int result = WriteAll(file, stream);
  if (result == 0 && fflush(stream) != 0) result = TBX_WRITE_FAILED;
  // A close that fails may have lost bytes as a failed flush would.
  if (fclose(stream) != 0 && result == 0) result = TBX_WRITE_FAILED;
  if (result == 0 && FileReplace(tempName, path) != 0) result = TBX_MOVE_FAILED;
  if (result != 0) remove(tempName);
  return result;
}
