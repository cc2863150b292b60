// The IDE stand-in's own resources: the New Project dialog. Its control ids are also in
// sandbox/msdev.h, for the scripted user.
#pragma once

#define IDD_NEW_PROJECT 200
#define IDC_NEW_PROJECT_TYPES 1000
#define IDC_NEW_PROJECT_NAME 1001
#define IDC_NEW_PROJECT_LOCATION 1002
#define IDC_NEW_PROJECT_WIN32 1003
#define IDC_NEW_PROJECT_OTHER 1004
