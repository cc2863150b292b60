/* report.h - library of the Wyc installation (sample installation). */
#ifndef REPORT_H
#define REPORT_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall report_init(unsigned long session);
long __stdcall report_close(unsigned long session);
long __stdcall report_reset(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
