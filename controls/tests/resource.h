// Ids of the controls test program's resources (controls_tests.rc); the library's own come from
// controls/Controls.rc.
#define IDM_NODE 100
#define ID_OPEN 101
#define ID_CHECKED 102
#define ID_DISABLED 103
#define ID_DEEP 104
#define ID_PLAIN 105
#define IDC_LINK 110
#define IDM_FLAT 106
#define ID_FLAT 107
