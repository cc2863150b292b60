// Sandbox control of user32's window manager beyond the scripted user and the pointer: the menus
// alive, the item an open popup menu highlights, and failing class registrations. Implemented by
// user32.
//
// On sandbox::Reset(): no menus, no registration refused.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <cstddef>

#include "sandbox/core.h"

namespace sandbox {

// Menus made (CreateMenu, CreatePopupMenu, LoadMenu ...) and not yet destroyed, submenus included.
SANDBOX_API size_t LiveMenus();

// For an action of a "PopupMenu" answer (sandbox/user.h): the user points at the item at
// `position` (from 0) of the open popup `popup` (the window the action was given, or an open
// submenu's). The item is highlighted (MF_HILITE; an owner-drawn one is drawn again with
// ODS_SELECTED) and the item highlighted before is not any more. False, reported, when `popup` is
// no open popup menu or the position holds no item; separators are never highlighted (false).
SANDBOX_API bool HighlightMenuItem(const void* popup, int position);

// RegisterClass and RegisterClassEx fail (0, ERROR_NOT_ENOUGH_MEMORY) while switched on, as a
// system out of resources does.
SANDBOX_API void FailRegisterClass(bool fail);

}  // namespace sandbox
