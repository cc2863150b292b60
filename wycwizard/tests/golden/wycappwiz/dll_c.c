/* Meter.c
   Created 1/1/2000 by the Harrowgate/Wyc Application Wizard. */

#include <windows.h>
#include "wycrte.h"

#define BUILDING_DLL
#include "Meter.h"

/* A sample function that the DLL exports. */
METER_API int MeterSample(void)
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
