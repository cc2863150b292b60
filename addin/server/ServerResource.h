// Resource ids of SablewingAddIn.dll's own resources. The module's script also includes the
// resources of the code it carries (catalogue, project files, controls, dialogs, bridge and
// customizer, failure texts), whose ids must stay free here.
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
