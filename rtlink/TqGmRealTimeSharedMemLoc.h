// A location in a real-time board's shared memory.
#pragma once

namespace TQ {

class CTqGmRealTimeSharedMemLoc
{
public:
    virtual ~CTqGmRealTimeSharedMemLoc() {}
};

}  // namespace TQ
