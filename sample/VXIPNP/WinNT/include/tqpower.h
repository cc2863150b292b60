/* tqpower.h - instrument driver (sample installation). */
#ifndef TQPOWER_H
#define TQPOWER_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall tqpower_init(unsigned long session);
long __stdcall tqpower_close(unsigned long session);
long __stdcall tqpower_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
