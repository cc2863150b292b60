/* iviscope.h - framework header (sample installation). */
#ifndef IVISCOPE_H
#define IVISCOPE_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall iviscope_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
