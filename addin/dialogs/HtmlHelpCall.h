// HTML Help, loaded at run time: the help viewer's control is found through its registered class
// (or by its name), and its ANSI entry is bound by ordinal. Carried by the add-in and by the
// AppWizard host.
#pragma once

#include "stdafx.h"

// Hands the request to the help viewer; its window, or NULL. The viewer is loaded on the first
// call; when it cannot be loaded or bound, every call answers NULL without trying again.
HWND CallHtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);
