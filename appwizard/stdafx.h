// Precompiled-header set of the AppWizard host and the MFC DLL plug-in.
#pragma once

#include <afxwin.h>
#include <customaw.h>
#include <windows.h>

#include <map>
#include <vector>
