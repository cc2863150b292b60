/* hgcounter.h - instrument driver (sample installation). */
#ifndef HGCOUNTER_H
#define HGCOUNTER_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall hgcounter_init(unsigned long session);
long __stdcall hgcounter_close(unsigned long session);
long __stdcall hgcounter_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
