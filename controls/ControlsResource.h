// Resource ids of the controls library: compiled into every module that carries the controls,
// through the fragment controls/Controls.rc. Ids from 10000 up belong to the library.
#pragma once

#define IDB_TQ_MENU_CHECK 10000
#define IDB_TQ_CHECK_STATES 10001

// The component tree's warning about the Wyc instrument directory: the add-in's own numbers, which
// the dialog has always had.
#define IDD_WYC_INSTR_REQUIRED 5106
#define IDC_WYC_DONT_SHOW_AGAIN 1013
#define IDC_WYC_INSTR_PATH 1014
