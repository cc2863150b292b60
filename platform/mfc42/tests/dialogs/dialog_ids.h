// Ids of the mfc42 tests' dialogs (dialogs.rc).
#pragma once

#define IDD_SETTINGS 120

#define IDC_NAME 1000
#define IDC_COUNT 1001
#define IDC_OPTIONS 1002
#define IDC_BACKUP 1003
#define IDC_FAST 1004
#define IDC_SAFE 1005
#define IDC_APPLY 1006

#define IDD_TREE_HOLDER 121
#define IDC_TREE 1010
