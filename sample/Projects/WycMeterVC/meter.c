/* meter.c - the meter's main program (sample Wyc project). */
#include <wycrt.h>
#include "meter.h"
#include "metercal.h"

int main (int argc, char *argv[])
{
    return MeterRun ();
}
