/* iviswtch.h - framework header (sample installation). */
#ifndef IVISWTCH_H
#define IVISWTCH_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall iviswtch_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
