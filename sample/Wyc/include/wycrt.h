/* wycrt.h - the Wyc run time (sample installation). */
#ifndef WYCRT_H
#define WYCRT_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall RunUserInterface(unsigned long session);
long __stdcall QuitUserInterface(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
