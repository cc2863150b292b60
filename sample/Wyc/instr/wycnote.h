/* wycnote.h - instrument driver (sample installation). */
#ifndef WYCNOTE_H
#define WYCNOTE_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall wycnote_init(unsigned long session);
long __stdcall wycnote_close(unsigned long session);
long __stdcall wycnote_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
