// Ids of the kernel32 test program's resources (kernel32_tests.rc) and of the test module
// (resmod/resmod.rc), which shares some of them on purpose: a lookup must stay in its module.
#define IDS_K32_FIRST 1
#define IDS_K32_LAST_OF_BUNDLE 15
#define IDR_K32_TEMPLATE 201
#define IDR_K32_EMPTY 202
#define IDR_K32_ONLY_IN_MODULE 203
#define IDD_K32_DIALOG 300
#define IDR_K32_MENU 301
#define IDB_K32_PICTURE 302
