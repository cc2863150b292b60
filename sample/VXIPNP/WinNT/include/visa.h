/* visa.h - framework header (sample installation). */
#ifndef VISA_H
#define VISA_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall visa_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
