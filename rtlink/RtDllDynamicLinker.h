// Binds a table of functions of a library by name at run time.
#pragma once

#include "stdafx.h"

namespace TQ {

// One function to bind: its exported name and the slot that receives its address.
struct RtDllLinkEntry
{
    LPCSTR name;
    FARPROC* slot;
};

class CRtDllDynamicLinker
{
public:
    explicit CRtDllDynamicLinker(bool owns = true) : m_owns(owns), m_module(NULL) {}
    // Frees the library when it is owned and loaded, also after a failed Link.
    ~CRtDllDynamicLinker();

    // Loads `libraryName` and fills the slots of `count` entries in order. Returns 0, or the
    // Windows error of the load or of the first name that is missing (the library then stays
    // loaded until the destructor). Never 0 for a failure, whatever the last error says, so no
    // empty slot is ever called.
    DWORD Link(LPCSTR libraryName, int count, const RtDllLinkEntry* table);

private:
    CRtDllDynamicLinker(const CRtDllDynamicLinker&);
    CRtDllDynamicLinker& operator=(const CRtDllDynamicLinker&);

    bool m_owns;
    HMODULE m_module;
};

}  // namespace TQ
