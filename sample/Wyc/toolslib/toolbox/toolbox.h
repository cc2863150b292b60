/* toolbox.h - library of the Wyc installation (sample installation). */
#ifndef TOOLBOX_H
#define TOOLBOX_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall toolbox_init(unsigned long session);
long __stdcall toolbox_close(unsigned long session);
long __stdcall toolbox_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
