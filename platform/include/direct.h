// The C run-time header of the same name: see standin_crt.h.
#pragma once

#include "standin_crt.h"
