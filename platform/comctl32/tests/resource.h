// Ids of the comctl32 test program's bitmaps (comctl32_tests.rc).
#define IDB_GREYS 100
#define IDB_STRIP 101
#define IDS_TIP 102
