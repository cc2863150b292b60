/* tqswitch.h - instrument driver (sample installation). */
#ifndef TQSWITCH_H
#define TQSWITCH_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall tqswitch_init(unsigned long session);
long __stdcall tqswitch_close(unsigned long session);
long __stdcall tqswitch_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
