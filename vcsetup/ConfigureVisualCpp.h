// Sets Developer Studio 6.0 up for the current user: the add-in registered, the product's and
// the instrument-driver framework's include and library directories searched, the reference help
// on the Tools menu. Writes only below HKEY_CURRENT_USER and reads the machine's installation data
// below HKEY_LOCAL_MACHINE (for reading only, so a standard user is set up too). Runs without a
// window; each problem is reported in a message box without owner, captioned "Sablewing".
#pragma once

#include <afx.h>
#include <objbase.h>

// What ConfigureVisualCpp answers.
enum
{
    CONFIGURE_DONE = 0,       // every step done
    CONFIGURE_FAILED = 1,     // at least one step failed, and was reported
    CONFIGURE_CANCELLED = 2,  // the user cancelled; nothing was written
};

// clsid: the class of "MSDEV.Application".
int ConfigureVisualCpp(REFCLSID clsid);
