// The add-in's three commands, in the order they are added and get their toolbar buttons; the
// glyph of each is its index in the toolbar bitmaps.
#pragma once

#include "ServerResource.h"

struct AddInCommand {
  const char* name;    // the command's name in Developer Studio
  const char* method;  // the commands object's method that runs it
  unsigned buttonText, statusText, tooltip;  // string ids
};

inline const AddInCommand kAddInCommands[] = {
    {"SablewingAddInAddComponent", "SablewingAddInAddComponentMethod", IDS_ADDCOMPONENT_BUTTON,
     IDS_ADDCOMPONENT_STATUS, IDS_ADDCOMPONENT_TOOLTIP},
    {"SablewingAddInUpgradeProject", "SablewingAddInUpgradeProjectMethod", IDS_UPGRADEPROJECT_BUTTON,
     IDS_UPGRADEPROJECT_STATUS, IDS_UPGRADEPROJECT_TOOLTIP},
    {"SablewingAddInSetPreferences", "SablewingAddInSetPreferencesMethod", IDS_SETPREFERENCES_BUTTON,
     IDS_SETPREFERENCES_STATUS, IDS_SETPREFERENCES_TOOLTIP},
};
