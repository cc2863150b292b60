// Precompiled-header set of the add-in's dialogs.
#pragma once

#include <afxcmn.h>
#include <afxole.h>
#include <afxwin.h>
#include <windows.h>
