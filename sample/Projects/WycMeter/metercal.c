/* metercal.c - driver source (sample installation). */
#include "metercal.h"

long __stdcall metercal_init(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall metercal_close(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall metercal_reset(unsigned long session)
{
    return session ? 0 : -1;
}
