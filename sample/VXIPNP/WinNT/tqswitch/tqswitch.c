/* tqswitch.c - driver source (sample installation). */
#include "tqswitch.h"

long __stdcall tqswitch_init(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall tqswitch_close(unsigned long session)
{
    return session ? 0 : -1;
}

long __stdcall tqswitch_reset(unsigned long session)
{
    return session ? 0 : -1;
}
