/* metercal.h - the meter's calibration panel (sample installation). */
#ifndef METERCAL_H
#define METERCAL_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall metercal_init(unsigned long session);
long __stdcall metercal_close(unsigned long session);
long __stdcall metercal_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
