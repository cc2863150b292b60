// What resource scripts include for the platform's constants: the styles of windows, dialogs and
// controls and the dialog box command ids (winuser_styles.h). Only #defines, so that the resource
// compiler's preprocessor reads it as well as a C++ compiler.
#pragma once

#include "winuser_styles.h"

// The name of a module's version resource.
#define VS_VERSION_INFO 1
