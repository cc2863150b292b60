/* tqacpwr.h - instrument driver (sample installation). */
#ifndef TQACPWR_H
#define TQACPWR_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall tqacpwr_init(unsigned long session);
long __stdcall tqacpwr_close(unsigned long session);
long __stdcall tqacpwr_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
