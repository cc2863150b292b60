/* visatype.h - framework header (sample installation). */
#ifndef VISATYPE_H
#define VISATYPE_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall visatype_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
