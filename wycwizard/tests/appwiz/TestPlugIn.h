// The ids of TestPlugIn.dll's resources.
#pragma once

#define IDD_KIND_STEP 400
#define IDC_KIND_APPLICATION 1001
#define IDC_KIND_DLL 1002
#define IDC_KIND_LIBRARY 1003
#define IDC_KIND_CONSOLE 1004
#define IDC_KIND_MFCDLL 1005
#define IDC_KIND_BROKEN 1006
