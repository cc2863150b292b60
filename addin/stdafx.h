// Precompiled-header set of the add-in's bridge to Developer Studio and its project customizer.
#pragma once

#include <afx.h>
#include <windows.h>

#include <utility>
#include <vector>
