// Ids of the user32 test program's strings and bitmaps (user32_tests.rc).
#define IDS_HELLO 1
#define IDS_ACCENT 2
#define IDS_EURO 3
#define IDS_JAPANESE 4
#define IDS_MIXED 5
#define IDS_ABSENT_IN_BUNDLE 6
#define IDS_WITH_NUL 7
#define IDS_RAW 8
#define IDS_BUNDLE_3 40
#define IDB_ONE_BIT 101
#define IDB_FOUR_BIT 102
#define IDB_EIGHT_BIT 103
#define IDB_TWENTY_FOUR_BIT 104
#define IDB_TRUNCATED 105
#define IDB_RUN_LENGTH 106
