/* Meter.cpp
   Created 1/1/2000 by the Harrowgate/Wyc Application Wizard. */

#include <windows.h>
#include "wycrte.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpszCmdLine, int nCmdShow)
{
    if (InitWycRTE(0, 0, 0) == 0)
        return -1;    /* out of memory */

    /* Load and display your panels here. */

    CloseWycRTE();
    return 0;
}
