// Precompiled-header set of the Wyc add-in: MFC, the ATL COM server frame (the module object is
// the DLL's, HgWycAddIn.cpp), Developer Studio's object model, and the C run time's stream and
// printf calls of the platform (standin_stdio.h).
#pragma once

#include <afxwin.h>
#include <windows.h>

#include <atlbase.h>
extern CComModule _Module;
#include <atlcom.h>

#include <objmodel/appauto.h>
#include <objmodel/appdefs.h>
#include <objmodel/bldauto.h>

#include <cstdio>
#include <cstring>

#include <standin_stdio.h>
