// Helpers.cpp : helpers the suite's projects share
//

#include "stdafx.h"

int Scale(int value)
{
    return value * 2;
}
