// Resource ids of SablewingAppWizard's own steps and messages. The module's script also holds the
// catalogue's and the customizer's strings (5004-5060), so those ids stay free here.
#pragma once

#define IDS_NO_VALID_APPWIZARDS 5
#define IDS_UNABLE_TO_LOAD_APPWIZARD 3
#define IDS_ERROR_CAPTION 5005

#define IDD_MFCWYC_APPTYPE 102
#define IDD_BROWSE_FOR_PATH 104
#define IDD_COMPONENT_PROBLEM 108

#define IDB_PROBLEM_PICTURE 5102
#define IDB_PROBLEM_BADGE 5103

#define IDC_STEP_TEXT 1000
#define IDC_APPTYPE_MFC_EXE 1001
#define IDC_APPTYPE_MFC_DLL 1002
#define IDC_APPTYPE_WYC 1003
#define IDC_BROWSE_FOR_PATH 1010
#define IDC_APPTYPE_MFC_EXE_TEXT 1014
#define IDC_APPTYPE_MFC_DLL_TEXT 1015
#define IDC_APPTYPE_WYC_TEXT 1016
