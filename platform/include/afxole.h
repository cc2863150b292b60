// MFC: OLE containers and servers. So far only what afxdisp.h carries.
#pragma once

#include "afxdisp.h"
