// The ids of the probe plug-ins' resources.
#pragma once

#define IDD_PROBE_STEP 300
#define IDC_PROBE_TEXT 1000
