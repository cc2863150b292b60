// LegacyApp.cpp : an application made for the 1.0 class library
//

#include "stdafx.h"

int Acquire()
{
    return 0;
}
