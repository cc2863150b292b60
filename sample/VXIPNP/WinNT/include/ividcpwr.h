/* ividcpwr.h - framework header (sample installation). */
#ifndef IVIDCPWR_H
#define IVIDCPWR_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall ividcpwr_version(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
