// What MFC programs' resource scripts include: the platform's constants (winres.h) and MFC's own
// resource ids. Only #defines, for the resource compiler's preprocessor as well as C++.
#pragma once

#include "winres.h"

// A control whose id nothing uses.
#define IDC_STATIC (-1)
