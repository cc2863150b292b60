// Finding the driver library of the newest installed real-time run-time.
#pragma once

#include "stdafx.h"

namespace TQ {

// The driver library's file name.
#define GMRTLINK_LIBRARY_NAME "gmrtlink.dll"

// Looks through HKEY_LOCAL_MACHINE "Software\Vellacott\Glimmer Run-Time", one sub-key per
// installed version, newest first, for a "Path" folder that holds the driver library; `path`
// receives the first such file, or stays empty when no version has one. Returns 0, a registry
// error (the run-time key cannot be opened or enumerated, or the registry functions cannot be
// bound), or 8 when memory or the registry functions ran out.
LONG FindRunTimeLibraryPath(std::string& path);

}  // namespace TQ
