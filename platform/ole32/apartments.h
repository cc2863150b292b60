// Apartments: which threads have entered COM, and in which mode.
#pragma once

#include <objbase.h>

namespace ole32 {

// True when the calling thread may use COM objects: it has an apartment of its own, or the
// process has a multithreaded apartment (which a thread without one belongs to implicitly).
bool CallerHasApartment();
// True when the calling thread has entered a single-threaded apartment (OleInitialize).
bool CallerInSingleThreadedApartment();

}  // namespace ole32
