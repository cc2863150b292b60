// Precompiled-header set of the controls library.
#pragma once

#include <afxcmn.h>
#include <afxole.h>
#include <afxwin.h>
#include <windows.h>
