/* ivipower.h - framework header (sample installation). */
#ifndef IVIPOWER_H
#define IVIPOWER_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall ivipower_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
