// Reflection of controls' notifications to their objects, owner-drawn menus, and the default
// handlers of the mouse and menu messages.
#include <afxwin.h>

#include "menu_map.h"

using afx_internal::MessageEntry;

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* child = FromHandlePermanent(hWndChild);
  return child != NULL && child->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG* msg = GetCurrentMessage();
  return OnChildNotify(msg->message, msg->wParam, msg->lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT ignored = 0;
  if (pResult == NULL) pResult = &ignored;
  if (message == WM_COMMAND) {
    const MessageEntry* entry =
        afx_internal::FindReflectEntry(GetMessageMap(), WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam));
    if (entry == nullptr) return FALSE;
    (this->*entry->handler.onCommand)();
    *pResult = 0;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const MessageEntry* entry =
        header != NULL ? afx_internal::FindReflectEntry(GetMessageMap(), WM_REFLECT_BASE + WM_NOTIFY, header->code)
                       : nullptr;
    if (entry == nullptr) return FALSE;
    *pResult = 0;
    (this->*entry->handler.onNotify)(header, pResult);
    return TRUE;
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    const MessageEntry* entry = afx_internal::FindReflectEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0);
    if (entry == nullptr) return FALSE;
    const HBRUSH brush = (this->*entry->handler.onCtlColorReflect)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                                   message - WM_CTLCOLORMSGBOX);
    *pResult = reinterpret_cast<LRESULT>(brush);
    return TRUE;
  }
  return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  return header != NULL && ReflectLastMsg(header->hwndFrom, pResult);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT result = 0;
  if (pWnd != NULL && pWnd->SendChildNotifyLastMsg(&result)) return reinterpret_cast<HBRUSH>(result);
  return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_MENU) {
    if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
      menu->DrawItem(lpDrawItemStruct);
      return;
    }
  } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
    return;
  }
  Default();
}

// A measured menu item does not say which menu it is in: while CMenu::TrackPopupMenu tracks a
// popup for this window, the menu holding the item's id is asked (its MeasureItem); otherwise the
// default answers (menu bars are not modelled).
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType == ODT_MENU) {
    const mfc42::Tracking& tracking = mfc42::ThreadTracking();
    if (tracking.window == m_hWnd && tracking.menu != NULL) {
      if (CMenu* menu = mfc42::FindPopupMenuFromId(CMenu::FromHandle(tracking.menu), lpMeasureItemStruct->itemID)) {
        menu->MeasureItem(lpMeasureItemStruct);
        return;
      }
    }
  } else {
    const HWND control = ::GetDlgItem(m_hWnd, static_cast<int>(lpMeasureItemStruct->CtlID));
    if (control != NULL && ReflectLastMsg(control)) return;
  }
  Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }

void CWnd::OnMouseMove(UINT, CPoint) { Default(); }

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }

void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }

void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }

void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }

void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }

void CWnd::OnEnable(BOOL) { Default(); }

void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
