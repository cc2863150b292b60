// Precompiled-header set of the component catalogue.
#pragma once

#include <afx.h>
#include <windows.h>

#include <vector>
