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

// The driver interface, bound on first use; NULL when it could not be made.
CGmRealTimeDllInterface* Driver()
{
    return vesp_singleton<CGmRealTimeDllInterface>::Instance();
}

}  // namespace

LONG CTqGmRealTimeSharedUInt8::Peek(unsigned char& value)
{
    try
    {
        CGmRealTimeDllInterface* driver = Driver();
        if (driver == NULL)
            return RTSTATUS_EXCEPTION;
        if (driver->Status() != RTSTATUS_OK)
            return driver->Status();
        return StatusOfDriverAnswer(driver->MMDPeekB(m_device, m_offset, &value));
    }
    catch (...)
    {
        return RTSTATUS_EXCEPTION;
    }
}

LONG CTqGmRealTimeSharedUInt8::Poke(unsigned char value)
{
    try
    {
        CGmRealTimeDllInterface* driver = Driver();
        if (driver == NULL)
            return RTSTATUS_EXCEPTION;
        if (driver->Status() != RTSTATUS_OK)
            return driver->Status();
        // The driver takes the value by address, as it does for a peek.
        return StatusOfDriverAnswer(driver->MMDPokeB(m_device, m_offset, &value));
    }
    catch (...)
    {
        return RTSTATUS_EXCEPTION;
    }
}

}  // namespace TQ
