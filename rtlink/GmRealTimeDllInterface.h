// The real-time driver library "gmrtlink.dll", found through the run-time's registry entry and
// bound by name at run time.
#pragma once

#include "stdafx.h"
#include "RtDllDynamicLinker.h"

namespace TQ {

class CGmRealTimeDllInterface
{
public:
    // Finds and binds the driver library; Status() says how that went.
    CGmRealTimeDllInterface();

    // RTSTATUS_OK, or RTSTATUS_NO_DRIVER when the library could not be found, loaded or bound.
    LONG Status() const { return m_status; }

    // The driver's byte access (C calling convention; the value passed by address in both).
    // Valid only with status 0.
    INT MMDPeekB(SHORT device, LONG offset, BYTE* value) const;
    INT MMDPokeB(SHORT device, LONG offset, BYTE* value) const;

private:
    // The driver's entry points in binding order; every one must be there.
    enum
    {
        PEEK_B, PEEK_W, PEEK_L, PEEK_FS, PEEK_FD,
        POKE_B, POKE_W, POKE_L, POKE_FS, POKE_FD,
        NUM_OF_USER_DEV_REGS,
        ENTRY_COUNT
    };

    LONG m_status;
    CRtDllDynamicLinker m_linker;
    FARPROC m_entries[ENTRY_COUNT];
};

}  // namespace TQ
