// The INI reader's line source over a stream: blocks of 2084 bytes, lines ending at CR, LF or
// NUL (a CR LF or LF CR pair is one line end, two equal end characters an empty line between).
// A line is kept whole however long it is.
#pragma once

#include <cstdio>

#include "toolbox/MemHandle.h"

struct IniStreamReader {
  FILE* stream;
  char block[2084 + 1];  // a block and a NUL after it, which ends every scan
  size_t blockLength;
  size_t blockPosition;
  MemHandle line;  // the line being put together, NUL-terminated
  char pairedEnd;  // the end character that, coming next, belongs to the last line end
};

// 1, or TBX_NO_MEMORY.
int IniStreamReaderOpen(IniStreamReader* reader, FILE* stream);
void IniStreamReaderClose(IniStreamReader* reader);
// An IniLineReader: 1 with the next line, 0 at the end, INI_READ_FAILED or TBX_NO_MEMORY.
int IniStreamReadLine(void* reader, char** line);
