// $$root$$.cpp, made on $$DATE$$.
$$IF(MFCDLL)
#include "StdAfx.h"
$$ELIF(EXTDLL)
#include "StdAfx.h"
$$ENDIF
#include "$$root$$.h"

$$IF(PROJTYPE_LIB)
int $$SAFE_ROOT$$_Version() { return 1; }
$$ELIF(PROJTYPE_DLL)
$$SAFE_ROOT$$_API int $$SAFE_ROOT$$_Version() { return 1; }
$$ELSE
int main() { return 0; }
$$ENDIF
