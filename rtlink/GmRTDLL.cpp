// GmRTDLL.dll: the two functions user programs call to write bytes of real-time board 0's shared
// memory. Each returns 0 for success and 1 for failure; the detailed status stays inside.
#include "stdafx.h"

#include "TqGmRealTimeSharedUInt8.h"

namespace {

const SHORT BOARD = 0;

}  // namespace

// The module entry does no work: everything is bound on first use.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

// Clears bytes 0 to 3 of the board, in this order; stops at the first that fails.
extern "C" __declspec(dllexport) int CDECL Initialize(void)
{
    for (LONG offset = 0; offset < 4; ++offset)
    {
        TQ::CTqGmRealTimeSharedUInt8 location(BOARD, offset);
        if (location.Poke(0) != 0)
            return 1;
    }
    return 0;
}

// Copies byte 2 of the board to byte 3.
extern "C" __declspec(dllexport) int CDECL PokeInt(void)
{
    unsigned char value = 0;
    TQ::CTqGmRealTimeSharedUInt8 source(BOARD, 2);
    if (source.Peek(value) != 0)
        return 1;
    TQ::CTqGmRealTimeSharedUInt8 target(BOARD, 3);
    if (target.Poke(value) != 0)
        return 1;
    return 0;
}
