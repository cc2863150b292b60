/* vpptype.h - framework header (sample installation). */
#ifndef VPPTYPE_H
#define VPPTYPE_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall vpptype_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
