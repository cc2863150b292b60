/* tqacpwr.c - driver source (sample installation). */
#include "tqacpwr.h"

long __stdcall tqacpwr_init(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall tqacpwr_close(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall tqacpwr_reset(unsigned long session)
{
    return session ? 0 : -1;
}
