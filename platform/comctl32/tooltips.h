// The tooltip control's class.
#pragma once

#include <commctrl.h>

namespace comctl32 {

// Registers "tooltips_class32" unless it is registered already; false when registration fails.
bool RegisterToolTipClass();

}  // namespace comctl32
