#include "stdafx.h"

#include "ini/IniFile.h"
#include "ini/IniStreamReader.h"
#include "toolbox/ToolboxResults.h"

namespace {

const LONG kFirstLineSize = 256;

// Room for `length` characters and the NUL in the line buffer.
bool MakeRoom(MemHandle line, size_t length) {
  if (length < static_cast<size_t>(line->size)) return true;
  size_t size = static_cast<size_t>(line->size);
  while (size <= length) size *= 2;
  return size <= 0x7FFFFFFF && MemHandleResize(line, static_cast<LONG>(size));
}

}  // namespace

int IniStreamReaderOpen(IniStreamReader* reader, FILE* stream) {
  reader->stream = stream;
  reader->blockLength = reader->blockPosition = 0;
  reader->pairedEnd = 0;
  reader->line = MemHandleNew(kFirstLineSize);
  return reader->line != NULL ? 1 : TBX_NO_MEMORY;
}

void IniStreamReaderClose(IniStreamReader* reader) {
  FreeMemHandle(reader->line);
  reader->line = NULL;
}

int IniStreamReadLine(void* state, char** line) {
  IniStreamReader* reader = static_cast<IniStreamReader*>(state);
  size_t length = 0;
  bool started = false;
  for (;;) {
    if (reader->blockPosition == reader->blockLength) {
      reader->blockLength = fread(reader->block, 1, sizeof reader->block - 1, reader->stream);
      reader->block[reader->blockLength] = '\0';
      reader->blockPosition = 0;
      if (reader->blockLength == 0) {
        if (ferror(reader->stream)) return INI_READ_FAILED;
        if (!started) return 0;
        break;  // the last line has no end
      }
    }
    const char* block = reader->block;
    size_t position = reader->blockPosition;
    if (reader->pairedEnd != 0) {
      // Only the very next character can complete a CR LF or LF CR pair.
      if (block[position] == reader->pairedEnd) ++position;
      reader->pairedEnd = 0;
      reader->blockPosition = position;
      if (position == reader->blockLength) continue;
    }
    // The next CR, LF or NUL: a NUL of the block itself or the one after it.
    const size_t end = position + strcspn(block + position, "\r\n");
    if (end > position) {
      if (!MakeRoom(reader->line, length + (end - position))) return TBX_NO_MEMORY;
      memcpy(static_cast<char*>(reader->line->block) + length, block + position, end - position);
      length += end - position;
    }
    started = true;
    reader->blockPosition = end;
    if (end == reader->blockLength) continue;
    const char ending = block[end];
    reader->pairedEnd = ending == '\r' ? '\n' : ending == '\n' ? '\r' : 0;
    reader->blockPosition = end + 1;
    break;
  }
  char* text = static_cast<char*>(reader->line->block);
  text[length] = '\0';
  *line = text;
  return 1;
}
