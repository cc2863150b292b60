/* ivifgen.h - framework header (sample installation). */
#ifndef IVIFGEN_H
#define IVIFGEN_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall ivifgen_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
