// File utilities of the toolbox, over the C run time's streams with Windows paths.
#pragma once

#include <windows.h>

#include <cstdio>

// Writes `text` with each LF as CR LF: 1, or TBX_WRITE_FAILED when a write falls short.
int FileWriteCRLF(FILE* stream, const char* text);
// 1 if the file opens for reading, else 0.
int FileIsThere(const char* path);
// Splits a path into the drive (up to and including a colon that comes before any backslash),
// the folder (the rest up to and including the last backslash) and the name (after it; all of the
// rest when there is no backslash). Any output may be NULL; each must hold _MAX_PATH characters.
void PathSplit(const char* path, char* drive, char* folder, char* name);
// Whether `path` could be written: an existing file must open for binary update; otherwise it is
// created and removed again. 1 with *writable set, or TBX_FILE_STATE_UNKNOWN when it cannot be
// told whether the file exists.
int FileCanWrite(const char* path, int* writable);
// Opens a new file beside `besidePath`, named drive + folder + prefix (at most five characters) +
// a number + "." + extension, with the first number from 0 to 999 whose name is not taken, in
// `mode`. 1 with the name (at least _MAX_PATH characters) and the stream, or TBX_NO_TEMP_FILE
// when no name is free or the file will not open.
int FileOpenTemp(const char* besidePath, const char* prefix, const char* extension, const char* mode, char* name,
                 FILE** stream);
// Moves `source` onto the name `target`, replacing the target in one step: 0, or TBX_MOVE_FAILED
// (the target is then as it was).
int FileReplace(const char* source, const char* target);
