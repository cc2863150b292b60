// CWnd's keyboard, focus, capture and context-menu handlers (the defaults), and its capture and
// scroll-position calls.
#include <afxwin.h>

void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }

void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }

void CWnd::OnChar(UINT, UINT, UINT) { Default(); }

void CWnd::OnSetFocus(CWnd*) { Default(); }

void CWnd::OnKillFocus(CWnd*) { Default(); }

void CWnd::OnCaptureChanged(CWnd*) { Default(); }

void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }

CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

CWnd* PASCAL CWnd::GetCapture() { return FromHandle(::GetCapture()); }

int CWnd::GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
