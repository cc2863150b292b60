// What the rest of mfc42 needs of the menu map.
#pragma once

#include <afxwin.h>

namespace mfc42 {

// The popup CMenu::TrackPopupMenu is tracking on this thread, and for which window.
struct Tracking {
  HWND window = NULL;
  HMENU menu = NULL;
};
Tracking& ThreadTracking();
// The menu (or submenu, searched depth first) that holds a command with the id; NULL when none.
CMenu* FindPopupMenuFromId(CMenu* menu, UINT id);

// Empties the permanent map (sandbox reset: user32 has dropped every menu).
void ForgetAllMenus();

}  // namespace mfc42
