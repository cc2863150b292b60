// MFC: menus (CMenu) and the state of one command's user interface (CCmdUI). Included by afxwin.h.
#pragma once

#include "afx.h"
#include "afx_wnd.h"

// A menu. Like windows, a CMenu made by Create*/Load*/Attach is the menu's permanent object for the
// process; FromHandle gives it, or a temporary wrapper for the thread until its idle time (never
// destroying the menu). The object destroys the menu it holds when it goes.
class STANDIN_API CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)
 public:
  CMenu();
  ~CMenu() override;

  HMENU m_hMenu;
  operator HMENU() const { return m_hMenu; }
  // The handle. Call it on an object, never on a null pointer.
  HMENU GetSafeHmenu() const { return m_hMenu; }

  static CMenu* PASCAL FromHandle(HMENU hMenu);
  static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);
  static void PASCAL DeleteTempMap();
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // From the module along the resource chain that has the menu, as the calling module sees it
  // (AfxFindResourceHandle).
  AFX_MODULE_LOCAL BOOL LoadMenu(LPCTSTR lpszResourceName) {
    return Attach(::LoadMenu(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName));
  }
  AFX_MODULE_LOCAL BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
  BOOL DestroyMenu();

  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = NULL);
  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  // A temporary or permanent object of the submenu; NULL when the entry opens none.
  CMenu* GetSubMenu(int nPos) const;
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = NULL);

  // Owner-drawn items of a menu with a permanent object: CWnd::OnDrawItem passes them here.
  // Nothing here.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};

// One command's user interface: a menu entry (m_pMenu, at m_nIndex) or a window (m_pOther).
// Enabling and checking a menu entry changes it by position; a submenu entry (m_pSubMenu set) is
// left alone. For a window, Enable and SetText change it; checking a button is not modelled.
class STANDIN_API CCmdUI {
 public:
  CCmdUI();
  virtual ~CCmdUI() = default;

  UINT m_nID;
  UINT m_nIndex;
  CMenu* m_pMenu;
  CMenu* m_pSubMenu;
  CMenu* m_pParentMenu;
  CWnd* m_pOther;
  BOOL m_bEnableChanged;
  BOOL m_bContinueRouting;
  UINT m_nIndexMax;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  // A menu entry shows its check mark (the radio mark is not drawn here).
  virtual void SetRadio(BOOL bOn = TRUE);
  // A menu entry becomes a string item with its state kept.
  virtual void SetText(LPCTSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }
};
