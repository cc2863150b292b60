// RtLinkProbe.dll: the real-time link library with the detailed statuses that GmRTDLL.dll keeps
// inside, for the tests. Built from the same subsystem as GmRTDLL.dll, so each load starts with
// singletons of its own.
#include "stdafx.h"

#include <cstring>

#include "FindRunTimeLibraryPath.h"
#include "TqGmRealTimeSharedUInt8.h"

extern "C" __declspec(dllexport) LONG CDECL ProbePeek(SHORT device, LONG offset, BYTE* value)
{
    return TQ::CTqGmRealTimeSharedUInt8(device, offset).Peek(*value);
}

extern "C" __declspec(dllexport) LONG CDECL ProbePoke(SHORT device, LONG offset, BYTE value)
{
    return TQ::CTqGmRealTimeSharedUInt8(device, offset).Poke(value);
}

// FindRunTimeLibraryPath's result; the path it found goes to `buffer` (cut to `size`).
extern "C" __declspec(dllexport) LONG CDECL ProbeRunTimeLibraryPath(char* buffer, DWORD size)
{
    std::string path;
    const LONG result = TQ::FindRunTimeLibraryPath(path);
    lstrcpyn(buffer, path.c_str(), static_cast<int>(size));
    return result;
}
