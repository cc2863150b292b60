// Resource ids of the add-in's dialogs: the numbers the add-in has always had. Every module that
// carries the dialogs includes AddinDialogs.rc (with the catalogue's strings, which hold the
// product name 5008, and the controls' fragment) in its resource script.
#pragma once

// Strings.
#define IDS_MFC_REQUIRED_QUESTION 32
#define IDS_ABOUT_VERSION 33
#define IDS_ABOUT_ORGANIZATION 35
#define IDS_ABOUT_USER_NAME 37
#define IDS_USER_INFO_KEY_END 39
#define IDS_USER_INFO_KEY_START 40
#define IDS_USER_NAME_VALUE 41
#define IDS_COMPANY_NAME_VALUE 43
#define IDS_PATENTS_URL 44
#define IDS_DRIVER_DOWNLOAD_NAME 5017
#define IDS_DRIVER_DOWNLOAD_URL 5042

// Dialogs.
#define IDD_CONVERSION_PROMPT 129
#define IDD_CONVERSION_CONFIRM 132
#define IDD_ABOUT 142
#define IDD_COMPONENTS_WIZARD 5108
#define IDD_NO_COMPONENTS 5109
#define IDD_PREFERENCES 5110
#define IDD_CONVERSION_SUCCESS 5111
#define IDD_INVALID_PATH 5113

// Bitmaps and cursors.
#define IDB_ABOUT 141
#define IDB_DIALOG_BANNER 5101
#define IDB_DIALOG_BADGE 5114
#define IDC_PATENTS_CURSOR 143
#define IDC_DOWNLOAD_CURSOR 5112

// Controls.
#define IDC_UPGRADE_OPTIONS 1000
#define IDC_WYC_WARNING 1001
#define IDC_BACKUP_FILES 1010
#define IDC_BROWSE 1010
#define IDC_HELP_BUTTON 1011
#define IDC_SHOW_SUCCESS 1012
#define IDC_DONT_SHOW_AGAIN 1013
#define IDC_BACKUP_LABEL 1016
#define IDC_BACKUP_LIST 1017
#define IDC_DEFAULT_COMPONENTS 1019
#define IDC_COMPONENT_TREE 1020
#define IDC_ABOUT_BUTTON 1020
#define IDC_ABOUT_INFO 1021
#define IDC_PATENTS_LINK 1022
#define IDC_DOWNLOAD_LINK 5017
// The separator line above the buttons, made by every dialog of the add-in at its initialisation.
#define IDC_SEPARATOR 0xFFFF
