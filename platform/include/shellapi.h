// shell32: starting what a file or address stands for.
#pragma once

#include "windows.h"

// Asks the shell to open the file (or address) with the verb (NULL: the default action). Answers
// a value above 32 on success, else an error value of 32 or less. Nothing is started here: the
// request is recorded for the sandbox (sandbox/shell.h), which also says what it answers (42
// unless a test sets another value).
extern "C" STANDIN_API HINSTANCE WINAPI ShellExecute(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                                     LPCSTR directory, INT showCommand);
