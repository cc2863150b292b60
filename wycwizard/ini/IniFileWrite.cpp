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

// Writes the bytes as they are (an LF in them as CR LF): 0 or TBX_WRITE_FAILED.
int Put(FILE* stream, const char* text) { return FileWriteCRLF(stream, text) == 1 ? 0 : TBX_WRITE_FAILED; }

int PutRange(FILE* stream, const char* text, size_t length) {
  char* piece = static_cast<char*>(malloc(length + 1));
  if (piece == NULL) return TBX_NO_MEMORY;
  memcpy(piece, text, length);
  piece[length] = '\0';
  const int result = Put(stream, piece);
  free(piece);
  return result;
}

// One line: tag, the write separator, the value (between double quotes when quoted), CR LF.
int PutLine(IniFile file, FILE* stream, const char* tag, const char* value, size_t length, bool quoted) {
  int result;
  if ((result = Put(stream, tag)) != 0 || (result = Put(stream, file->writeSeparator)) != 0) return result;
  if (quoted && (result = Put(stream, "\"")) != 0) return result;
  if ((result = value[length] == '\0' ? Put(stream, value) : PutRange(stream, value, length)) != 0) return result;
  if (quoted && (result = Put(stream, "\"")) != 0) return result;
  return Put(stream, "\n");
}

// A value longer than one line takes is written in pieces named tag + " Line" + 0001, 0002 ...
int PutItem(IniFile file, FILE* stream, const IniItem* item) {
  const size_t length = strlen(item->value);
  if (length <= kIniPieceLength) return PutLine(file, stream, item->tag, item->value, length, item->quoted != 0);
  const size_t tagSize = strlen(item->tag) + 16;
  char* tag = static_cast<char*>(malloc(tagSize));
  if (tag == NULL) return TBX_NO_MEMORY;
  int result = 0;
  for (size_t start = 0, number = 1; start < length && result == 0; start += kIniPieceLength, ++number) {
    _snprintf(tag, tagSize, kPieceFormat, item->tag, " Line", static_cast<int>(number));
    const size_t piece = length - start < kIniPieceLength ? length - start : kIniPieceLength;
    result = PutLine(file, stream, tag, item->value + start, piece, item->quoted != 0);
  }
  free(tag);
  return result;
}

// Every section in list order: the header, its items in list order, then an empty line.
int PutAll(IniFile file, FILE* stream) {
  for (int s = 1; s <= ItemListCount(file->sections); ++s) {
    const IniSection* section = PointerAt<IniSection>(file->sections, s);
    if (fprintf(stream, "%c%s%c", file->openBracket, section->name, file->closeBracket) < 0) return TBX_WRITE_FAILED;
    int result = Put(stream, "\n");
    for (int i = 1; result == 0 && i <= ItemListCount(section->items); ++i)
      result = PutItem(file, stream, PointerAt<IniItem>(section->items, i));
    if (result == 0) result = Put(stream, "\n");
    if (result != 0) return result;
  }
  return 0;
}

}  // namespace

int IniFileWrite(IniFile file, const char* path) {
  if (file == NULL) return 0;
  if (path == NULL) {
    const int result = PutAll(file, stdout);
    return result == 0 && fflush(stdout) != 0 ? TBX_WRITE_FAILED : result;
  }
  int writable = 0;
  const int checked = FileCanWrite(path, &writable);
  if (checked < 0) return checked;
  if (!writable) return TBX_CANNOT_WRITE;
  char tempName[_MAX_PATH];
  FILE* stream = NULL;
  if (FileOpenTemp(path, kTempPrefix, kTempExtension, "wb", tempName, &stream) != 1) return TBX_NO_TEMP_FILE;
  int result = PutAll(file, stream);
  if (result == 0 && fflush(stream) != 0) result = TBX_WRITE_FAILED;
  // A close that fails may have lost bytes as a failed flush would.
  if (fclose(stream) != 0 && result == 0) result = TBX_WRITE_FAILED;
  if (result == 0 && FileReplace(tempName, path) != 0) result = TBX_MOVE_FAILED;
  if (result != 0) remove(tempName);
  return result;
}
