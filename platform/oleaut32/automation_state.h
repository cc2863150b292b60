// What oleaut32 keeps for the sandbox: counts of live BSTRs and arrays, and failures injected
// into the array calls (sandbox/automation.h).
#pragma once

#include <oleauto.h>

namespace oleaut32 {

void BstrAllocated();
void BstrFreed();
void ArrayCreated();
void ArrayDestroyed();

// The calls a failure can be injected into.
enum class Injectable { ArrayCreation, PutElement, AccessData };
// S_OK, or the injected result when one is pending for the call (which takes it).
HRESULT TakeInjectedFailure(Injectable call);

}  // namespace oleaut32
