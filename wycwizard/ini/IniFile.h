// The INI-file library: a settings file of the classic sectioned form kept in memory, read,
// queried and changed by section and item name with typed accessors, and written back beside the
// target. Names compare case-insensitively by the run time's _stricmp rules (folding to lower
// case), in lookups, sorting and indexes alike. Sections and items count from 1.
//
// Results: negative numbers are errors (the TBX_ codes, INI_OPEN_FAILED, INI_READ_FAILED,
// INI_BAD_VALUE); for lookups 0 means "not there" and a positive number means found.
#pragma once

#include <windows.h>

#include "toolbox/ToolboxResults.h"

typedef struct tagIniFileRec* IniFile;

enum IniFileResult {
  INI_BAD_VALUE = -1,     // a typed getter found a value that does not parse
  INI_READ_FAILED = -98,  // the stream failed while it was being read (what came before is kept)
  INI_OPEN_FAILED = -99,  // the file would not open for reading (the object is unchanged)
};

// Asked at each section header while reading: 0 skips that section and all its items.
typedef int (*IniSectionGate)(IniFile file, void* data, const char* sectionName);
// A source of lines: 1 with the next line (NUL-terminated, valid until the next call), 0 at the
// end, or a negative code for a failure.
typedef int (*IniLineReader)(void* state, char** line);

IniFile IniFileMake(int sorted);
void IniFileFree(IniFile file);
// Reads the file (binary mode) and adds its sections to what the object holds: 0, or
// INI_OPEN_FAILED, INI_READ_FAILED, TBX_NO_MEMORY.
int IniFileRead(IniFile file, const char* path);
// The same parse over any line source.
int IniFileReadLines(IniFile file, IniLineReader reader, void* state);
// Writes the whole object beside `path` and replaces it (0), or to standard output when `path`
// is NULL; TBX_CANNOT_WRITE, TBX_FILE_STATE_UNKNOWN, TBX_NO_TEMP_FILE, TBX_WRITE_FAILED or
// TBX_MOVE_FAILED, the target then as it was.
int IniFileWrite(IniFile file, const char* path);

// Tokens: a zero character or an empty (or NULL) string leaves that token unchanged; separator
// and comment keep at most 7 characters.
int IniFileSetSyntax(IniFile file, char open, char close, const char* separator, const char* comment);
int IniFileSetSectionGate(IniFile file, IniSectionGate gate, void* data);
// With the flag set (the default), putting an item first removes every item of its tag in the
// section. Returns the previous setting.
int IniFileSetSingleValued(IniFile file, int flag);
// Sorts the items of every section by tag, then the sections by name (items and sections of one
// name keep their order); everything stays sorted from then on. 1 or TBX_NO_MEMORY.
int IniFileOrder(IniFile file);
// Name-ordered lookup copies of the sections and of each section's items: 1, or TBX_NO_MEMORY
// with every copy dropped.
int IniFileIndexOn(IniFile file);
int IniFileIndexOff(IniFile file);

int IniFileSectionTotal(IniFile file);
int IniFileSectionName(IniFile file, int n, const char** name);
int IniFileHasSection(IniFile file, const char* section);
int IniFileItemTotal(IniFile file, const char* section);
int IniFileItemTag(IniFile file, const char* section, int n, const char** tag);
int IniFileHasItem(IniFile file, const char* section, const char* tag);
int IniFileDropSection(IniFile file, const char* section);
int IniFileDropItem(IniFile file, const char* section, const char* tag);
// The line number of the item found by the last lookup (-1 after creation, 0 for an item that
// was put rather than read).
int IniFileLastLine(IniFile file);

// Putting: 1, or TBX_NO_MEMORY with the object as it was.
int IniFileSetRaw(IniFile file, const char* section, const char* tag, const char* text);
int IniFileSetText(IniFile file, const char* section, const char* tag, const char* text);
int IniFileSetLong(IniFile file, const char* section, const char* tag, LONG value);
int IniFileSetULong(IniFile file, const char* section, const char* tag, ULONG value);
int IniFileSetReal(IniFile file, const char* section, const char* tag, double value);
int IniFileSetFlag(IniFile file, const char* section, const char* tag, int flag);
int IniFileSetBytes(IniFile file, const char* section, const char* tag, const void* bytes, int count);

// Getting: 1 when found, 0 (out value empty or zero) when the section or item is missing; the
// typed getters also 0 for a value that is empty or white space only, INI_BAD_VALUE for one that
// does not parse.
int IniFileRaw(IniFile file, const char* section, const char* tag, const char** text);
// Unescaped, in the object's scratch buffer, valid until the next such call.
int IniFileText(IniFile file, const char* section, const char* tag, const char** text);
// Heap copies the caller frees: unescaped / as stored.
int IniFileTextCopy(IniFile file, const char* section, const char* tag, char** text);
int IniFileRawCopy(IniFile file, const char* section, const char* tag, char** text);
// At most size-1 characters, always terminated; the buffer is emptied first.
int IniFileTextInto(IniFile file, const char* section, const char* tag, char* buffer, int size);
int IniFileRawInto(IniFile file, const char* section, const char* tag, char* buffer, int size);
int IniFileLong(IniFile file, const char* section, const char* tag, LONG* value);
int IniFileULong(IniFile file, const char* section, const char* tag, ULONG* value);
int IniFileReal(IniFile file, const char* section, const char* tag, double* value);
int IniFileFlag(IniFile file, const char* section, const char* tag, int* flag);
// A decoded heap copy the caller frees.
int IniFileBytes(IniFile file, const char* section, const char* tag, void** bytes, int* count);

// Copies one section of `source` (every section when `section` is NULL) into `target` item by
// item as the setters put them; with `replace` a target section of the same name is removed
// first. 1, 0 when the section is missing or source and target are one object, TBX_NO_MEMORY.
int IniFileCopySections(IniFile source, const char* section, IniFile target, int replace);
