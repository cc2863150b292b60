/* tqdmm34.h - instrument driver (sample installation). */
#ifndef TQDMM34_H
#define TQDMM34_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall tqdmm34_init(unsigned long session);
long __stdcall tqdmm34_close(unsigned long session);
long __stdcall tqdmm34_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
