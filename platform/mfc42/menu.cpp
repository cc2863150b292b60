// CMenu: the menu calls on the object's menu, and the handle maps (permanent objects for the
// process, temporary wrappers per thread until its idle time).
#include <afxwin.h>

#include "handle_map.h"
#include "menu_map.h"
#include "sandbox/internal.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace mfc42 {
namespace {

struct MenuTraits {
  static CMenu* Make(HMENU hMenu) {
    auto* menu = new CMenu;
    menu->m_hMenu = hMenu;
    return menu;
  }
  // A temporary object must not destroy the menu it wraps when it goes.
  static void Forget(CMenu* menu) { menu->m_hMenu = NULL; }
};
using MenuMap = HandleMap<HMENU, CMenu, MenuTraits>;

}  // namespace

Tracking& ThreadTracking() {
  thread_local Tracking tracking;
  return tracking;
}

CMenu* FindPopupMenuFromId(CMenu* menu, UINT id) {
  if (menu == NULL) return NULL;
  const int count = ::GetMenuItemCount(menu->m_hMenu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = ::GetSubMenu(menu->m_hMenu, i)) {
      if (CMenu* found = FindPopupMenuFromId(CMenu::FromHandle(sub), id)) return found;
    } else if (::GetMenuItemID(menu->m_hMenu, i) == id) {
      return menu;
    }
  }
  return NULL;
}

void ForgetAllMenus() { MenuMap::ForgetAllPermanent(); }

}  // namespace mfc42

using mfc42::MenuMap;

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu() { DestroyMenu(); }

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu) { return MenuMap::Permanent(hMenu); }

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) { return MenuMap::FromHandle(hMenu); }

void PASCAL CMenu::DeleteTempMap() { MenuMap::DeleteTemporaries(); }

BOOL CMenu::Attach(HMENU hMenu) {
  ASSERT(m_hMenu == NULL);
  if (hMenu == NULL) return FALSE;
  MenuMap::AddPermanent(hMenu, this, true);
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach() {
  const HMENU hMenu = m_hMenu;
  if (hMenu != NULL) MenuMap::RemovePermanent(hMenu, this);
  m_hMenu = NULL;
  return hMenu;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == NULL) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }

UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }

UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  const int length = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
  const int copied = ::GetMenuString(m_hMenu, nIDItem, rString.GetBufferSetLength(length), length + 1, nFlags);
  rString.ReleaseBuffer(copied);
  return copied;
}

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  // While the popup is up, the owner's OnMeasureItem finds its items through the thread's
  // tracking state.
  mfc42::Tracking& tracking = mfc42::ThreadTracking();
  const mfc42::Tracking outer = tracking;
  tracking = {pWnd->GetSafeHwnd(), m_hMenu};
  const BOOL result = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, tracking.window, lpRect);
  tracking = outer;
  return result;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

CCmdUI::CCmdUI()
    : m_nID(0),
      m_nIndex(0),
      m_pMenu(NULL),
      m_pSubMenu(NULL),
      m_pParentMenu(NULL),
      m_pOther(NULL),
      m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE),
      m_nIndexMax(0) {}

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;  // a submenu's entry follows its commands, not one command
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != NULL) {
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != NULL) {
    STANDIN_UNMODELLED_RETURN();  // buttons (BM_SETCHECK) are not modelled
  }
}

void CCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL) return;
    const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
  } else if (m_pOther != NULL) {
    m_pOther->SetWindowText(lpszText);
  }
}
