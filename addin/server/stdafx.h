// Precompiled-header set of the add-in's COM server: MFC (the module is an MFC extension library),
// ATL for the server frame, and Developer Studio's automation interfaces.
#pragma once

#include <afxwin.h>

#include <atlbase.h>
// The module's one ATL module object, defined with the DLL's entry points (SablewingAddIn.cpp).
extern CComModule _Module;
#include <atlcom.h>

#include <objmodel/appauto.h>
#include <objmodel/appdefs.h>
#include <objmodel/dbgauto.h>

#include <vector>
