// The CBT hook that gives the toolbar Developer Studio makes for the add-in's button the add-in's
// title: while it is installed, a window made with a name holding "Toolbar" is made with the name
// "Hg/Wyc" instead. It is installed on the calling thread only around one AddCommandBarButton
// call; its handle is the DLL's.
#pragma once

#include <windows.h>

// The title the add-in's toolbar gets.
extern const char kToolbarTitle[];

// Installs the hook on the calling thread; FALSE when it cannot be installed.
BOOL InstallToolbarHook();
// Removes it again (nothing when it is not installed).
void RemoveToolbarHook();

// Installs the hook for its life.
class CToolbarHookScope {
 public:
  CToolbarHookScope() { InstallToolbarHook(); }
  ~CToolbarHookScope() { RemoveToolbarHook(); }
  CToolbarHookScope(const CToolbarHookScope&) = delete;
  CToolbarHookScope& operator=(const CToolbarHookScope&) = delete;
};
