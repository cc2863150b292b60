/* tqpower_Sablewing_cpp.h - C++ wrapper of the driver (sample installation). */
#ifndef TQPOWER_SABLEWING_CPP_H
#define TQPOWER_SABLEWING_CPP_H

#ifdef __cplusplus
extern "C" {
#endif

long __stdcall tqpower_cpp_attach(unsigned long session);

#ifdef __cplusplus
}
#endif

#endif
