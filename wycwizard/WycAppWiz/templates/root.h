$$// The project header of a new DLL or static library.
/* $$root$$.h
   Created $$TIMESTAMP$$ by the Harrowgate/Wyc Application Wizard. */

#ifndef $$SAFE_ROOT$$_H
#define $$SAFE_ROOT$$_H
$$IF(PROJTYPE_DLL)

#ifdef BUILDING_DLL
#define $$SAFE_ROOT$$_API __declspec(dllexport)
#else
#define $$SAFE_ROOT$$_API __declspec(dllimport)
#endif

$$SAFE_ROOT$$_API int $$root$$Sample(void);
$$ELIF(PROJTYPE_LIB)

#include "wycdef.h"

int InitLibrary(void);
void CloseLibrary(void);
$$ENDIF

#endif
