#include "stdafx.h"
#include "TqGmRealTimeSharedUInt8.h"

#include "GmRealTimeDllInterface.h"
#include "RtStatus.h"
#include "vesp_singleton.h"

namespace TQ {

namespace {

// The driver's own codes that mean failure; any other answer is success.
LONG StatusOfDriverAnswer(INT answer)
{
    if (answer == 3)
        return RTSTATUS_DRIVER_ANSWERED_3;
    if (answer == 37)
        return RTSTATUS_DRIVER_ANSWERED_37;
    return RTSTATUS_OK;
}

typedef INT (CGmRealTimeDllInterface::*DRIVERBYTEENTRY)(SHORT device, LONG offset, BYTE* value) const;

// Binds the driver on first use and moves one byte through `entry`.
LONG Access(DRIVERBYTEENTRY entry, SHORT device, LONG offset, BYTE* value)
{
    try
    {
        CGmRealTimeDllInterface* driver = vesp_singleton<CGmRealTimeDllInterface>::Instance();
        if (driver == NULL)
            return RTSTATUS_EXCEPTION;
        if (driver->Status() != RTSTATUS_OK)
            return driver->Status();
        return StatusOfDriverAnswer((driver->*entry)(device, offset, value));
    }
    catch (...)
    {
        return RTSTATUS_EXCEPTION;
    }
}

}  // namespace

LONG CTqGmRealTimeSharedUInt8::Peek(unsigned char& value)
{
    return Access(&CGmRealTimeDllInterface::MMDPeekB, m_device, m_offset, &value);
}

LONG CTqGmRealTimeSharedUInt8::Poke(unsigned char value)
{
    // The driver takes the value by address, as it does for a peek.
    return Access(&CGmRealTimeDllInterface::MMDPokeB, m_device, m_offset, &value);
}

}  // namespace TQ
