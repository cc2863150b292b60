// The control surface of the stand-ins: how tests, benchmarks and the demo set up the world the
// system runs in (drives, registry, code page, clock, the scripted user, injected failures).
// System code never includes this header.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox/sandbox.h is the test surface of the stand-ins; system code must not include it"
#endif

#include "sandbox/automation.h"
#include "sandbox/comctl32.h"
#include "sandbox/core.h"
#include "sandbox/debug_output.h"
#include "sandbox/dialog_user.h"
#include "sandbox/files.h"
#include "sandbox/gdi.h"
#include "sandbox/guids.h"
#include "sandbox/input.h"
#include "sandbox/kernel_objects.h"
#include "sandbox/modules.h"
#include "sandbox/process.h"
#include "sandbox/registry.h"
#include "sandbox/shell.h"
#include "sandbox/system.h"
#include "sandbox/user.h"
#include "sandbox/window_manager.h"
