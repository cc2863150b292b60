// Precompiled-header set of the Wyc plug-in's project reader. The C run time's stream and printf
// calls are the platform's (standin_stdio.h names them); the standard headers come first.
#pragma once

#include <afx.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#include <standin_stdio.h>
