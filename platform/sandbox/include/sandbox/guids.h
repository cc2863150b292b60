// Sandbox control of new identifiers (CoCreateGuid, ole32): the sequence they come in.
//
// On sandbox::Reset(): the sequence starts again from seed 0, so a test that makes identifiers
// gets the same ones at every run.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstdint>

#include "sandbox/core.h"

namespace sandbox {

// The identifiers CoCreateGuid makes from now on are the sequence of `seed`: version 4 (random)
// identifiers, the same ones for the same seed.
SANDBOX_API void SetGuidSeed(uint64_t seed);

}  // namespace sandbox
