// The toolbar-button window: on a later start the add-in's button is not added while the add-in
// connects but when this hidden window gets its message (WM_USER+1), posted at the connection:
// then, unless the user's flag WycToolbarDisplayed says the button is there already, it adds a
// button for each command queued in it (under the toolbar hook) and sets the flag.
#pragma once

#include <afxcoll.h>

// The message that adds the queued commands' buttons.
const UINT WM_HGWYC_ADD_BUTTONS = WM_USER + 1;

class CToolbarButtonWnd {
 public:
  // Holds a reference to the application for its life.
  CToolbarButtonWnd(IApplication* pApplication, LONG lAddInCookie);
  // Destroys the window and frees the queued names.
  ~CToolbarButtonWnd();
  CToolbarButtonWnd(const CToolbarButtonWnd&) = delete;
  CToolbarButtonWnd& operator=(const CToolbarButtonWnd&) = delete;

  // Makes the hidden top-level window (its class registered on first use); FALSE when it cannot
  // be made.
  BOOL Create();
  void QueueCommand(LPCTSTR lpszCommand) { m_commands.AddTail(lpszCommand); }
  BOOL PostAddButtons() { return ::PostMessage(m_hWnd, WM_HGWYC_ADD_BUTTONS, 0, 0); }

  // The window class is the DLL's: unregistered when the DLL ends.
  static void UnregisterWindowClass();

 private:
  static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  void OnAddButtons();

  HWND m_hWnd;
  IApplication* m_pApplication;
  LONG m_lAddInCookie;
  CStringList m_commands;
};
