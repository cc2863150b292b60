// What MFC programs' resource scripts include: the platform's constants (winres.h) and MFC's own
// resource ids. Only #defines, for the resource compiler's preprocessor as well as C++.
#pragma once

#include "winres.h"

// A control whose id nothing uses.
#define IDC_STATIC (-1)

// MFC's own prompts (mfc42's string table): the dialog data validations'.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_UINT 0xF117
