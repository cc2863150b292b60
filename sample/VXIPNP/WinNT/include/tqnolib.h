/* tqnolib.h - instrument driver (sample installation). */
#ifndef TQNOLIB_H
#define TQNOLIB_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall tqnolib_init(unsigned long session);
long __stdcall tqnolib_close(unsigned long session);
long __stdcall tqnolib_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
