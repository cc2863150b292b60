// The detailed status of a shared-memory access. It never leaves the library: the exports turn
// any non-zero status into 1.
#pragma once

namespace TQ {

enum
{
    RTSTATUS_OK = 0,
    RTSTATUS_EXCEPTION = 1,       // an exception occurred (also: no driver interface exists)
    RTSTATUS_NO_DRIVER = 2,       // the driver library could not be found, loaded or bound
    RTSTATUS_DRIVER_ANSWERED_37 = 3,
    RTSTATUS_DRIVER_ANSWERED_3 = 4,
    RTSTATUS_NO_MEMORY = 8        // searching the run-time failed for want of memory or functions
};

}  // namespace TQ
