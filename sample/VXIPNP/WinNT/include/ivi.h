/* ivi.h - framework header (sample installation). */
#ifndef IVI_H
#define IVI_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall ivi_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
