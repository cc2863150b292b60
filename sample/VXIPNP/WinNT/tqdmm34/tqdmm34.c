/* tqdmm34.c - driver source (sample installation). */
#include "tqdmm34.h"

long __stdcall tqdmm34_init(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall tqdmm34_close(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall tqdmm34_reset(unsigned long session)
{
    return session ? 0 : -1;
}
