// Ids of the mfc42 test program's strings (mfc42_tests.rc) and of the second module's
// (resmod/resmod.rc); modules/modules.h has those the test modules share.
#include "modules/modules.h"

#define IDS_GREETING 1
#define IDS_SAVE_PROMPT 2
#define IDS_COUNT_FORMAT 3
#define IDS_TWO_INSERTS 4
#define IDS_DATE_FORMAT 5
#define IDS_LONG 6
#define IDS_ERROR_FALLBACK 7
#define IDR_WORKSPACE 20
#define IDR_PROJECT 21
#define IDS_ONLY_IN_RESMOD 100
#define IDB_RED 300
#define IDM_CONTEXT 400
#define ID_CUT 401
#define ID_COPY 402
#define ID_DEEP 403
#define IDB_STRIP 404
