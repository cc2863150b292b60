// The host library's own resources: the wizard frame, the project information and the standard
// MFC DLL step. The control ids of the frame and the standard step are also in sandbox/wizard.h.
#pragma once

#define IDD_WIZARD_FRAME 100
#define IDD_NEW_PROJECT_INFORMATION 101
#define IDD_MFCDLL_STEP 102

// The frame's buttons, by the ids the pages address them with.
#define IDC_WIZARD_NEXT 1
#define IDC_WIZARD_CANCEL 2
#define IDC_WIZARD_FINISH 440
#define IDC_WIZARD_BACK 441
#define IDC_WIZARD_HELP 57670

#define IDC_INFORMATION_TEXT 1000

#define IDC_MFCDLL_REGULAR 1001
#define IDC_MFCDLL_EXTENSION 1002
#define IDC_MFCDLL_AUTOMATION 1003
#define IDC_MFCDLL_SOCKETS 1004
