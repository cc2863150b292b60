#include "stdafx.h"
#include "RtDllDynamicLinker.h"

namespace TQ {

namespace {

// A failure whose last error is 0 still is a failure.
DWORD ErrorOr(DWORD fallback)
{
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

}  // namespace

CRtDllDynamicLinker::~CRtDllDynamicLinker()
{
    if (m_owns && m_module != NULL)
        FreeLibrary(m_module);
}

DWORD CRtDllDynamicLinker::Link(LPCSTR libraryName, int count, const RtDllLinkEntry* table)
{
    m_module = LoadLibrary(libraryName);
    if (m_module == NULL)
        return ErrorOr(ERROR_MOD_NOT_FOUND);
    for (int i = 0; i < count; ++i)
    {
        FARPROC address = GetProcAddress(m_module, table[i].name);
        if (address == NULL)
            return ErrorOr(ERROR_PROC_NOT_FOUND);
        *table[i].slot = address;
    }
    return ERROR_SUCCESS;
}

}  // namespace TQ
