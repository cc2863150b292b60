// Precompiled-header set of the data-type library.
#pragma once

#include <afx.h>
#include <afxdisp.h>
#include <windows.h>

#include <vector>
