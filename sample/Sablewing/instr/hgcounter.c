/* hgcounter.c - driver source (sample installation). */
#include "hgcounter.h"

long __stdcall hgcounter_init(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall hgcounter_close(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall hgcounter_reset(unsigned long session)
{
    return session ? 0 : -1;
}
