// MFC: OLE containers and servers. So far only what afxdisp.h carries, and OLE's drag and drop
// (ole2.h).
#pragma once

#include <ole2.h>

#include "afxdisp.h"
