// Resource ids of SablewingAddIn.dll's own resources. The module's script also includes the
// strings of the code it carries (catalogue, project files, bridge and customizer), whose ids
// must stay free here.
#pragma once

// The registrar script and the toolbar glyphs (one 16 x 15 glyph, or 32 x 30, per command).
#define IDR_DSADDIN 139
#define IDB_TOOLBAR_MEDIUM 128
#define IDB_TOOLBAR_LARGE 129

// Button text, status text and tooltip of each command, each beginning with a line feed.
#define IDS_ADDCOMPONENT_BUTTON 7
#define IDS_ADDCOMPONENT_STATUS 8
#define IDS_ADDCOMPONENT_TOOLTIP 9
#define IDS_UPGRADEPROJECT_BUTTON 10
#define IDS_UPGRADEPROJECT_STATUS 11
#define IDS_UPGRADEPROJECT_TOOLTIP 12
#define IDS_SETPREFERENCES_BUTTON 13
#define IDS_SETPREFERENCES_STATUS 14
#define IDS_SETPREFERENCES_TOOLTIP 15

#define IDS_ALREADY_CONVERTED 30
#define IDS_UNKNOWN_ERROR 5013
// The texts of a file exception's causes 1 to 14.
#define IDS_FILE_CAUSE_FIRST 5020
#define IDS_FILE_CAUSE_LAST 5033
// Our own message, numbered above the ones the add-in has always had.
#define IDS_COULD_NOT_CONVERT 5061
