/* meter.h - the meter's declarations (sample Wyc project). */
#ifndef METER_H
#define METER_H

int MeterRun (void);

#endif
