#include "stdafx.h"
#include "GmRealTimeDllInterface.h"

#include "FindRunTimeLibraryPath.h"
#include "RegFuncsDllInterface.h"
#include "RtStatus.h"
#include "vesp_singleton.h"

namespace TQ {

namespace {

typedef INT(CDECL* PFNMMDBYTE)(SHORT device, LONG offset, BYTE* value);

// GetVersion() of Win32s 3.10: there the driver library is found by its bare name, without the
// registry.
const DWORD WIN32S_3_10 = 0x80000A03;

// The module's two singleton holders, made at module start in this order; they go in reverse
// order when the module unloads, so the registry functions are let go before the driver.
vesp_singleton<CGmRealTimeDllInterface> s_driverHolder;
vesp_singleton<CRegFuncsDllInterface> s_registryHolder;

}  // namespace

CGmRealTimeDllInterface::CGmRealTimeDllInterface() : m_status(RTSTATUS_OK), m_linker(true)
{
    for (int i = 0; i < ENTRY_COUNT; ++i)
        m_entries[i] = NULL;

    std::string library;
    if (GetVersion() == WIN32S_3_10)
    {
        library = GMRTLINK_LIBRARY_NAME;
    }
    else if (FindRunTimeLibraryPath(library) != ERROR_SUCCESS)
    {
        m_status = RTSTATUS_NO_DRIVER;
        return;
    }

    const RtDllLinkEntry table[ENTRY_COUNT] = {
        {"MMDPeekB", &m_entries[PEEK_B]},
        {"MMDPeekW", &m_entries[PEEK_W]},
        {"MMDPeekL", &m_entries[PEEK_L]},
        {"MMDPeekFS", &m_entries[PEEK_FS]},
        {"MMDPeekFD", &m_entries[PEEK_FD]},
        {"MMDPokeB", &m_entries[POKE_B]},
        {"MMDPokeW", &m_entries[POKE_W]},
        {"MMDPokeL", &m_entries[POKE_L]},
        {"MMDPokeFS", &m_entries[POKE_FS]},
        {"MMDPokeFD", &m_entries[POKE_FD]},
        {"MMDAQNumOfUserDevRegs", &m_entries[NUM_OF_USER_DEV_REGS]},
    };
    if (m_linker.Link(library.c_str(), ENTRY_COUNT, table) != ERROR_SUCCESS)
        m_status = RTSTATUS_NO_DRIVER;
}

INT CGmRealTimeDllInterface::MMDPeekB(SHORT device, LONG offset, BYTE* value) const
{
    return reinterpret_cast<PFNMMDBYTE>(reinterpret_cast<void (*)()>(m_entries[PEEK_B]))(device, offset, value);
}

INT CGmRealTimeDllInterface::MMDPokeB(SHORT device, LONG offset, BYTE* value) const
{
    return reinterpret_cast<PFNMMDBYTE>(reinterpret_cast<void (*)()>(m_entries[POKE_B]))(device, offset, value);
}

}  // namespace TQ
