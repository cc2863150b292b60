/* Meter.cpp
   Created 1/1/2000 by the Harrowgate/Wyc Application Wizard. */

#include <windows.h>
#include "wycrte.h"
#include "Meter.h"

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
