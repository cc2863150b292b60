/* hgrelay.h - instrument driver (sample installation). */
#ifndef HGRELAY_H
#define HGRELAY_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall hgrelay_init(unsigned long session);
long __stdcall hgrelay_close(unsigned long session);
long __stdcall hgrelay_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
