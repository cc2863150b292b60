// Ids of the user32 tests' dialogs (dialogs_test.rc).
#pragma once

#define IDD_FORMS 100          // DIALOG
#define IDD_FORMS_EX 101       // the same dialog as DIALOGEX
#define IDD_LARGE_FONT 102     // the same controls in a 24-point font
#define IDD_SYSTEM_FONT 103    // no FONT statement
#define IDD_UNKNOWN_CLASS 104  // a control of a class nobody registered
#define IDD_MALFORMED 105      // not a dialog template

#define IDC_NAME 1000
#define IDC_KIND 1001
#define IDC_FILES 1002
#define IDC_BACKUP 1003
#define IDC_MODE 1004
#define IDC_FAST 1005
#define IDC_SAFE 1006
#define IDC_MORE 1007
