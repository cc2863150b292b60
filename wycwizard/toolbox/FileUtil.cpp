#include "stdafx.h"

#include <mbstring.h>

#include "toolbox/FileUtil.h"
#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

const int kTempNumbers = 1000;
const size_t kPrefixLength = 5;

// Whether a file or folder of that name exists: 1, 0, or -1 when that cannot be told.
int Exists(const char* path) {
  if (_access(path, 0) == 0) return 1;
  return errno == ENOENT ? 0 : -1;
}

// Copies `length` characters (at most _MAX_PATH - 1) and terminates.
void CopyPart(char* out, const char* from, size_t length) {
  if (length > _MAX_PATH - 1) length = _MAX_PATH - 1;
  memcpy(out, from, length);
  out[length] = '\0';
}

}  // namespace

// Runs between line feeds go out as they are, each LF as CR LF; a run and its line end are
// gathered in a small buffer first, so a text of many short lines costs a few writes.
int FileWriteCRLF(FILE* stream, const char* text) {
  if (stream == NULL || text == NULL) return TBX_WRITE_FAILED;
  char buffer[4096];
  size_t used = 0;
  for (;;) {
    const char* newline = strchr(text, '\n');
    const size_t length = newline != NULL ? static_cast<size_t>(newline - text) : strlen(text);
    const size_t needed = length + (newline != NULL ? 2 : 0);
    if (used + needed > sizeof buffer) {
      if (used > 0 && fwrite(buffer, 1, used, stream) != used) return TBX_WRITE_FAILED;
      used = 0;
    }
    if (needed > sizeof buffer) {
      // A run longer than the buffer goes out by itself.
      if (fwrite(text, 1, length, stream) != length) return TBX_WRITE_FAILED;
    } else {
      memcpy(buffer + used, text, length);
      used += length;
    }
    if (newline == NULL) break;
    if (needed > sizeof buffer) {
      if (fwrite("\r\n", 1, 2, stream) != 2) return TBX_WRITE_FAILED;
    } else {
      buffer[used++] = '\r';
      buffer[used++] = '\n';
    }
    text = newline + 1;
  }
  if (used > 0 && fwrite(buffer, 1, used, stream) != used) return TBX_WRITE_FAILED;
  return 1;
}

int FileIsThere(const char* path) {
  if (path == NULL) return 0;
  FILE* stream = fopen(path, "rb");
  if (stream == NULL) return 0;
  fclose(stream);
  return 1;
}

void PathSplit(const char* path, char* drive, char* folder, char* name) {
  if (drive != NULL) *drive = '\0';
  if (folder != NULL) *folder = '\0';
  if (name != NULL) *name = '\0';
  if (path == NULL) return;
  const unsigned char* text = reinterpret_cast<const unsigned char*>(path);
  // A trail byte 0x5C of a double-byte character is no backslash.
  const unsigned char* firstSlash = _mbschr(text, '\\');
  const unsigned char* colon = _mbschr(text, ':');
  size_t driveLength = 0;
  if (colon != NULL && (firstSlash == NULL || colon < firstSlash)) driveLength = static_cast<size_t>(colon - text) + 1;
  const unsigned char* lastSlash = _mbsrchr(text, '\\');
  const size_t folderEnd = lastSlash != NULL ? static_cast<size_t>(lastSlash - text) + 1 : driveLength;
  if (drive != NULL) CopyPart(drive, path, driveLength);
  if (folder != NULL) CopyPart(folder, path + driveLength, folderEnd - driveLength);
  if (name != NULL) CopyPart(name, path + folderEnd, strlen(path + folderEnd));
}

int FileCanWrite(const char* path, int* writable) {
  if (writable != NULL) *writable = 0;
  if (path == NULL || writable == NULL) return 0;
  // Existence is asked first: a file that exists but will not open must never be taken for a
  // free name and created over.
  const int exists = Exists(path);
  if (exists < 0) return TBX_FILE_STATE_UNKNOWN;
  if (exists) {
    FILE* stream = fopen(path, "r+b");
    if (stream != NULL) {
      *writable = 1;
      fclose(stream);
    }
    return 1;
  }
  FILE* probe = fopen(path, "wb");
  if (probe != NULL) {
    const bool closed = fclose(probe) == 0;
    *writable = remove(path) == 0 && closed;
  }
  return 1;
}

int FileOpenTemp(const char* besidePath, const char* prefix, const char* extension, const char* mode, char* name,
                 FILE** stream) {
  if (stream != NULL) *stream = NULL;
  if (name != NULL) *name = '\0';
  if (besidePath == NULL || prefix == NULL || extension == NULL || mode == NULL || name == NULL || stream == NULL)
    return TBX_NO_TEMP_FILE;
  char drive[_MAX_PATH], folder[_MAX_PATH];
  PathSplit(besidePath, drive, folder, NULL);
  char shortPrefix[kPrefixLength + 1];
  StrCopyBounded(shortPrefix, prefix, sizeof shortPrefix);
  for (int number = 0; number < kTempNumbers; ++number) {
    char candidate[_MAX_PATH];
    if (_snprintf(candidate, sizeof candidate, "%s%s%s%1d.%s", drive, folder, shortPrefix, number, extension) < 0)
      return TBX_NO_TEMP_FILE;
    const int exists = Exists(candidate);
    if (exists != 0) continue;
    FILE* opened = fopen(candidate, mode);
    if (opened == NULL) return TBX_NO_TEMP_FILE;
    strcpy(name, candidate);
    *stream = opened;
    return 1;
  }
  return TBX_NO_TEMP_FILE;
}

int FileReplace(const char* source, const char* target) {
  if (source == NULL || target == NULL) return TBX_MOVE_FAILED;
  return MoveFileEx(source, target, MOVEFILE_REPLACE_EXISTING) ? 0 : TBX_MOVE_FAILED;
}
