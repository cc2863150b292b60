/* scope.h - instrument driver (sample installation). */
#ifndef SCOPE_H
#define SCOPE_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall scope_init(unsigned long session);
long __stdcall scope_close(unsigned long session);
long __stdcall scope_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
