// The ids of StepProbe.dll's resources.
#pragma once

#define IDD_PROBE_PAGE 300
#define IDC_PROBE_TEXT 1000
