// Resource ids of the controls library: compiled into every module that carries the controls,
// through the fragment controls/Controls.rc. Ids from 10000 up belong to the library.
#pragma once

#define IDB_TQ_MENU_CHECK 10000
#define IDB_TQ_CHECK_STATES 10001
