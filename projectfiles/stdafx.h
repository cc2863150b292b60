// Precompiled-header set of the project-file classes.
#pragma once

#include <afx.h>
#include <windows.h>
