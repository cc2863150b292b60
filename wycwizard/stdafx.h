// Precompiled-header set of the Wyc plug-in's code. The C run time's stream and printf calls are
// the platform's (standin_stdio.h names them); the standard headers the sources use come first.
#pragma once

#include <afxwin.h>
#include <windows.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <standin_stdio.h>
