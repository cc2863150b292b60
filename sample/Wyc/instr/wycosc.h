/* wycosc.h - instrument driver (sample installation). */
#ifndef WYCOSC_H
#define WYCOSC_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall wycosc_init(unsigned long session);
long __stdcall wycosc_close(unsigned long session);
long __stdcall wycosc_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
