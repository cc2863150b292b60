// Precompiled-header set of the AppWizard host and the MFC DLL plug-in.
#pragma once

#include <afxcmn.h>
#include <afxole.h>
#include <afxwin.h>
#include <customaw.h>
#include <windows.h>

#include <map>
#include <vector>
