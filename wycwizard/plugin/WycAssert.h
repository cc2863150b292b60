// The plug-in's assertion handler: a failed check is written to the debugger output and shown in
// a task-modal Abort/Retry/Ignore box. Ignore goes on, Retry breaks into the debugger, Abort ends
// the program; a failure while the box is up breaks into the debugger at once.
#pragma once

#include <windows.h>

// `file` is the source's path as the build recorded it, `line` the line of the check.
void WycAssertFailedLine(LPCSTR file, int line);
