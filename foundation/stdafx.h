// Precompiled-header set of the foundation classes.
#pragma once

#include <afx.h>
#include <windows.h>
