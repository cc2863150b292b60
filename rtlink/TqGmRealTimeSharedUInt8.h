// One byte of a real-time board's shared memory, read and written through the driver library.
#pragma once

#include "stdafx.h"
#include "TqGmRealTimeSharedMemLoc.h"

namespace TQ {

class CTqGmRealTimeSharedUInt8 : public CTqGmRealTimeSharedMemLoc
{
public:
    CTqGmRealTimeSharedUInt8(SHORT device, LONG offset) : m_device(device), m_offset(offset) {}

    // Each binds the driver on first use and returns a status (RtStatus.h).
    LONG Peek(unsigned char& value);
    LONG Poke(unsigned char value);

private:
    SHORT m_device;   // board number
    LONG m_offset;    // byte offset in the board's shared memory
};

}  // namespace TQ
