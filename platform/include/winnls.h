// kernel32: national language support. So far the locale identifiers of the user's defaults.
#pragma once
#include "winbase.h"

#define LANG_SYSTEM_DEFAULT 0x0800
#define LANG_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_USER_DEFAULT 0x0400
