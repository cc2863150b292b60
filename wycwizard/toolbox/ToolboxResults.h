// Result codes of the toolbox and the INI-file library: plain functions answer an int, 1 (or a
// positive position) for success, 0 for not done or not found, and one of these for an error.
#pragma once

enum ToolboxResult {
  TBX_NO_MEMORY = -12,          // out of memory
  TBX_FILE_STATE_UNKNOWN = -93,  // a file's state could not be determined
  TBX_MOVE_FAILED = -94,         // moving a file onto a name failed
  TBX_CANNOT_WRITE = -95,        // a file cannot be written
  TBX_WRITE_FAILED = -97,        // writing to (or flushing, or closing) a stream failed
  TBX_NO_TEMP_FILE = -101,       // no temporary file could be made
};
