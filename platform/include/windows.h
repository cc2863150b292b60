// The Windows API surface of the stand-ins.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#include "synchapi.h"
#include "processthreadsapi.h"
#include "fileapi.h"
#include "winreg.h"
#include "wingdi.h"
#include "winuser.h"
#include "standin_crt.h"
