/* tqfgen20.h - instrument driver (sample installation). */
#ifndef TQFGEN20_H
#define TQFGEN20_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall tqfgen20_init(unsigned long session);
long __stdcall tqfgen20_close(unsigned long session);
long __stdcall tqfgen20_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
