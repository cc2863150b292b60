#include "small/ControlToolTip.h"

#include "small/ScreenDC.h"

namespace {

const char kClassName[] = "ControlToolTip";
const UINT_PTR kWatchTimer = 1;
const UINT kWatchPeriod = 100;  // milliseconds between looks at the pointer
const int kPadding = 2;         // around the text, inside the text rectangle

void RegisterToolTipClass() {
  const HINSTANCE hInstance = AfxGetInstanceHandle();
  WNDCLASS wc;
  if (::GetClassInfo(hInstance, kClassName, &wc)) return;
  wc.style = CS_SAVEBITS | CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.cbClsExtra = wc.cbWndExtra = 0;
  wc.hInstance = hInstance;
  wc.hIcon = NULL;
  wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = ::GetSysColorBrush(COLOR_INFOBK);
  wc.lpszMenuName = NULL;
  wc.lpszClassName = kClassName;
  if (!::RegisterClass(&wc)) AfxThrowResourceException();
}

}  // namespace

BEGIN_MESSAGE_MAP(CControlToolTip, CWnd)
ON_WM_TIMER()
ON_WM_PAINT()
END_MESSAGE_MAP()

CControlToolTip::CControlToolTip()
    : m_pOwner(NULL),
      m_rcText(0, 0, 0, 0),
      m_nPlacement(kBelowOwner),
      m_crText(::GetSysColor(COLOR_INFOTEXT)),
      m_crBackground(::GetSysColor(COLOR_INFOBK)),
      m_bOwnColors(false),
      m_bOnlyWhileButtonDown(true),
      m_bLeftButton(true) {
  RegisterToolTipClass();
}

CControlToolTip::~CControlToolTip() { HideAndDestroy(); }

BOOL CControlToolTip::Create(CWnd* pOwner, const CString& strText, int nPlacement) {
  m_pOwner = pOwner;
  m_strText = strText;
  m_nPlacement = nPlacement;
  MeasureText();
  if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, NULL, WS_POPUP, 0, 0, m_rcText.Width(),
                m_rcText.Height(), pOwner->GetSafeHwnd(), NULL))
    return FALSE;
  SetTimer(kWatchTimer, kWatchPeriod, NULL);
  return TRUE;
}

void CControlToolTip::SetText(const CString& strText) {
  m_strText = strText;
  MeasureText();
}

void CControlToolTip::SetColors(COLORREF crText, COLORREF crBackground) {
  m_crText = crText;
  m_crBackground = crBackground;
  m_bOwnColors = true;
}

void CControlToolTip::SetButtonRule(bool bOnlyWhileButtonDown, bool bLeftButton) {
  m_bOnlyWhileButtonDown = bOnlyWhileButtonDown;
  m_bLeftButton = bLeftButton;
}

// The text's size in the tip's font, with a little room around it.
void CControlToolTip::MeasureText() {
  CScreenDC dc;
  CFont* pOldFont = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
  CRect rcText(0, 0, 0, 0);
  dc.DrawText(m_strText, rcText, DT_CALCRECT | DT_SINGLELINE);
  dc.SelectObject(pOldFont);
  m_rcText.SetRect(0, 0, rcText.Width() + 2 * kPadding, rcText.Height() + 2 * kPadding);
}

void CControlToolTip::Show() {
  if (m_strText.IsEmpty() || m_pOwner == NULL) {
    ShowWindow(SW_HIDE);
    return;
  }
  CRect rcOwner;
  m_pOwner->GetClientRect(rcOwner);
  CPoint ptAt(0, 0);
  if (m_nPlacement == kBelowOwner) ptAt.y = rcOwner.Height();
  if (m_nPlacement == kAboveOwner) ptAt.y = -m_rcText.Height();
  m_pOwner->ClientToScreen(&ptAt);
  SetWindowPos(&wndTopMost, ptAt.x, ptAt.y, m_rcText.Width(), m_rcText.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RedrawWindow();
}

// Only a tip with a window has a window to hide, a timer to stop and a window to destroy.
void CControlToolTip::HideAndDestroy() {
  if (m_hWnd != NULL) {
    ShowWindow(SW_HIDE);
    KillTimer(kWatchTimer);
  }
  m_pOwner = NULL;
  if (m_hWnd != NULL) DestroyWindow();
}

// The tip is wanted while the pointer is on the owner (and, with the button rule, the chosen
// button is down); it shows only while the focus is in the owner's dialog.
void CControlToolTip::OnTimer(UINT nIDEvent) {
  if (nIDEvent != kWatchTimer) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  if (m_pOwner == NULL || !::IsWindow(m_pOwner->GetSafeHwnd())) return;
  CPoint ptCursor;
  ::GetCursorPos(&ptCursor);
  CRect rcOwner;
  m_pOwner->GetWindowRect(rcOwner);
  const bool bButtonDown = (::GetAsyncKeyState(m_bLeftButton ? VK_LBUTTON : VK_RBUTTON) & 0x8000) != 0;
  const bool bWanted = rcOwner.PtInRect(ptCursor) && (!m_bOnlyWhileButtonDown || bButtonDown);
  const HWND hFocus = ::GetFocus();
  const bool bFocusHere = hFocus != NULL && ::GetParent(hFocus) == ::GetParent(m_pOwner->GetSafeHwnd());
  if (!bWanted) {
    ShowWindow(SW_HIDE);
  } else if (!IsWindowVisible()) {
    if (bFocusHere) Show();
  } else if (!bFocusHere) {
    ShowWindow(SW_HIDE);
  }
}

void CControlToolTip::OnPaint() {
  CPaintDC dc(this);
  CFont* pOldFont = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
  dc.SetBkMode(TRANSPARENT);
  if (m_bOwnColors) {
    dc.FillSolidRect(m_rcText, m_crBackground);
    dc.SetTextColor(m_crText);
  }
  CRect rcText = m_rcText;
  dc.DrawText(m_strText, rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.SelectObject(pOldFont);
}
