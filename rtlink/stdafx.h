// Precompiled-header set of the real-time link library. It imports nothing but kernel32: the
// registry functions and the driver library are bound by name at run time, so no MFC and no
// foundation classes here.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>
