/* meterutil.c - helpers of the meter (sample Wyc project). */
#include "meter.h"

int MeterRun (void)
{
    return 0;
}
