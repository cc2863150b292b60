/* ividmm.h - framework header (sample installation). */
#ifndef IVIDMM_H
#define IVIDMM_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall ividmm_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
