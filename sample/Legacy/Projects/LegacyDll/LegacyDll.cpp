// LegacyDll.cpp : a DLL made for the 1.0 class library
//

#include "stdafx.h"

extern "C" int __stdcall Measure()
{
    return 0;
}
