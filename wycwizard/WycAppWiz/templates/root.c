$$// The starter source of a new project.
$$IF(GENERATE_CPP)
/* $$root$$.cpp
$$ELSE
/* $$root$$.c
$$ENDIF
   Created $$TIMESTAMP$$ by the Harrowgate/Wyc Application Wizard. */

#include <windows.h>
#include "wycrte.h"
$$IF(PROJTYPE_DLL)

#define BUILDING_DLL
#include "$$root$$.h"

/* A sample function that the DLL exports. */
$$SAFE_ROOT$$_API int $$root$$Sample(void)
{
    return 0;
}

/* Starts the run-time engine when the DLL is loaded, ends it when it is freed. */
BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpvReserved)
{
    switch (fdwReason)
    {
        case DLL_PROCESS_ATTACH:
            if (InitWycRTE(0, 0, 0) == 0)
                return FALSE;
            break;
        case DLL_PROCESS_DETACH:
            CloseWycRTE();
            break;
    }
    return TRUE;
}
$$ELIF(PROJTYPE_LIB)
#include "$$root$$.h"

/* Call before any other function of the library: starts the run-time engine. */
int InitLibrary(void)
{
    return InitWycRTE(0, 0, 0) != 0;
}

/* Call when the library is no longer needed: ends the run-time engine. */
void CloseLibrary(void)
{
    CloseWycRTE();
}
$$ELSE

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpszCmdLine, int nCmdShow)
{
    if (InitWycRTE(0, 0, 0) == 0)
        return -1;    /* out of memory */

    /* Load and display your panels here. */

    CloseWycRTE();
    return 0;
}
$$ENDIF
