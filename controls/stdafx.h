// Precompiled-header set of the controls library.
#pragma once

#include <afxwin.h>
#include <windows.h>
