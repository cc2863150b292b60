/* wycosc.c - driver source (sample installation). */
#include "wycosc.h"

long __stdcall wycosc_init(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall wycosc_close(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall wycosc_reset(unsigned long session)
{
    return session ? 0 : -1;
}
