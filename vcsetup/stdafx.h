// Precompiled-header set of the Visual C++ set-up programs.
#pragma once

#include <afx.h>
#include <objbase.h>
#include <windows.h>
