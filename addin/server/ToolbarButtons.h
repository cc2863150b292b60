// The add-in's toolbar: its buttons are added once per user (the preference ToolbarDisplayed),
// and the toolbar window Developer Studio makes for the first of them is titled "Sablewing".
#pragma once

#include "stdafx.h"

// While the buttons are added: a window about to be created whose name holds "Toolbar" (the
// window Developer Studio makes for the add-in's first button) is named "Sablewing" instead. Every
// notification is passed on.
LRESULT CALLBACK ToolbarRenameHook(int code, WPARAM wParam, LPARAM lParam);

// Adds a glyph button for each command name, in order, with ToolbarRenameHook installed for this
// thread meanwhile, then records ToolbarDisplayed = 1.
void AddToolbarButtons(IApplication* application, const std::vector<BSTR>& commandNames, LONG cookie);
