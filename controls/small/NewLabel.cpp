#include "small/NewLabel.h"

#include <algorithm>
#include <cstring>

#include "small/TextRotator.h"

namespace {

const DWORD kHoverTime = 50;  // milliseconds the pointer rests before the hover colour shows

// The text one character a line.
CString VerticalForm(const CString& strText) {
  CString strVertical;
  for (LPCTSTR p = strText; *p != '\0';) {
    LPCTSTR pNext = ::CharNext(p);
    if (!strVertical.IsEmpty()) strVertical += '\n';
    strVertical += CString(p, static_cast<int>(pNext - p));
    p = pNext;
  }
  return strVertical;
}

// An alignment flag as the text renderer's index: 0 the start, 1 the middle, 2 the end.
int AlignmentIndex(int nFlags, int nMiddle, int nEnd) {
  if (nFlags & nMiddle) return 1;
  if (nFlags & nEnd) return 2;
  return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CNewLabel, CStatic)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_ENABLE()
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CNewLabel::CNewLabel()
    : m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_crBackground2(::GetSysColor(COLOR_BTNFACE)),
      m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_crHover(::GetSysColor(COLOR_HIGHLIGHT)),
      m_crSavedText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_bNativePaint(false),
      m_bSysBackground(true),
      m_bOwnBackground(true),
      m_bSysTextColor(true),
      m_bLink(false),
      m_bEtchedLines(false),
      m_bHoverColor(false),
      m_bVertical(false),
      m_bMouseTracked(false),
      m_bBlinkText(false),
      m_bFlashBackground(false),
      m_bBlinkPhase(false),
      m_bFlashPhase(false),
      m_bHoverNeedsTip(false),
      m_bHasTip(false),
      m_bInternalText(false),
      m_bLowerCase(false),
      m_bUpperCase(false),
      m_bStretchBitmap(false),
      m_hLinkCursor(NULL),
      m_hBkBitmap(NULL),
      m_nAlignment(kLeft | kTop),
      m_nAngle(0) {
  m_brBackground.CreateSolidBrush(m_crBackground);
  ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_lf, &m_lf);
  m_font.CreateFontIndirect(&m_lf);
}

CNewLabel::~CNewLabel() {
  if (m_hBkBitmap != NULL) ::DeleteObject(m_hBkBitmap);
  m_font.DeleteObject();
  m_brBackground.DeleteObject();
  m_toolTip.HideAndDestroy();
}

// The static's own alignment styles become the label's; its window text becomes the label's text.
void CNewLabel::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  ModifyStyle(0, SS_NOTIFY);
  const DWORD dwStyle = GetStyle();
  if ((dwStyle & SS_TYPEMASK) == SS_CENTER) m_nAlignment = (m_nAlignment & ~(kLeft | kRight)) | kCentre;
  if ((dwStyle & SS_TYPEMASK) == SS_RIGHT) m_nAlignment = (m_nAlignment & ~(kLeft | kCentre)) | kRight;
  if (dwStyle & SS_CENTERIMAGE) m_nAlignment = (m_nAlignment & ~(kTop | kBottom)) | kMiddle;
  m_bInternalText = true;
  GetWindowText(m_strText);
  m_bInternalText = false;
}

// From outside, the window text is the label's text (before any vertical form): WM_SETTEXT stores
// it, WM_GETTEXT and WM_GETTEXTLENGTH answer it, so GetWindowText into a CString gets it whole.
LRESULT CNewLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_bInternalText) {
    switch (message) {
      case WM_SETTEXT:
        m_strText = reinterpret_cast<LPCTSTR>(lParam);
        break;
      case WM_GETTEXT: {
        const int nBuffer = static_cast<int>(wParam);
        auto* pBuffer = reinterpret_cast<LPTSTR>(lParam);
        if (nBuffer <= 0 || pBuffer == NULL) return 0;
        const int nCopy = std::min(m_strText.GetLength(), nBuffer - 1);
        std::memcpy(pBuffer, static_cast<LPCTSTR>(m_strText), static_cast<size_t>(nCopy));
        pBuffer[nCopy] = '\0';
        return nCopy;
      }
      case WM_GETTEXTLENGTH:
        return m_strText.GetLength();
      default:
        break;
    }
  }
  return CStatic::WindowProc(message, wParam, lParam);
}

void CNewLabel::SetWindowTextInternally(const CString& strText) {
  m_bInternalText = true;
  SetWindowText(strText);
  m_bInternalText = false;
}

void CNewLabel::Redraw() {
  if (m_hWnd != NULL) RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

CNewLabel& CNewLabel::SetText(const CString& strText) {
  m_strText = strText;
  if (m_bVertical && m_hWnd != NULL) SetWindowTextInternally(VerticalForm(m_strText));
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetTextColor(COLORREF crText) {
  m_crText = crText;
  m_bSysTextColor = false;
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetFontUnderline(bool bUnderline) {
  m_lf.lfUnderline = bUnderline ? TRUE : FALSE;
  m_font.DeleteObject();
  m_font.CreateFontIndirect(&m_lf);
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetLink(bool bLink) {
  m_bLink = bLink;
  return *this;
}

CNewLabel& CNewLabel::SetLinkUrl(const CString& strLink) {
  m_strLink = strLink;
  return *this;
}

CNewLabel& CNewLabel::SetLinkCursor(UINT nCursorId) {
  const HINSTANCE hResources = AfxFindResourceHandle(MAKEINTRESOURCE(nCursorId), RT_GROUP_CURSOR);
  m_hLinkCursor = ::LoadCursor(hResources, MAKEINTRESOURCE(nCursorId));
  return *this;
}

CNewLabel& CNewLabel::SetBkColor(COLORREF crBackground) {
  m_crBackground = crBackground;
  m_bSysBackground = false;
  m_brBackground.DeleteObject();
  m_brBackground.CreateSolidBrush(m_crBackground);
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetSecondBkColor(COLORREF crBackground, bool bOwnBackground) {
  m_crBackground2 = crBackground;
  m_bOwnBackground = bOwnBackground;
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetNativePainting(bool bNative) {
  m_bNativePaint = bNative;
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetHoverColor(bool bHover, COLORREF crHover) {
  m_bHoverColor = bHover;
  m_crHover = crHover;
  return *this;
}

CNewLabel& CNewLabel::SetVertical(bool bVertical) {
  m_bVertical = bVertical;
  return SetText(m_strText);
}

CNewLabel& CNewLabel::SetRotation(int nAngle) {
  m_nAngle = nAngle;
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetCase(bool bLower, bool bUpper) {
  m_bLowerCase = bLower;
  m_bUpperCase = bUpper;
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetEtchedLines(bool bEtched) {
  m_bEtchedLines = bEtched;
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetBkBitmap(HBITMAP hBitmap, bool bStretch) {
  if (m_hBkBitmap != NULL && m_hBkBitmap != hBitmap) ::DeleteObject(m_hBkBitmap);
  m_hBkBitmap = hBitmap;
  m_bStretchBitmap = bStretch;
  Redraw();
  return *this;
}

CNewLabel& CNewLabel::SetBlinkText(UINT nPeriod) {
  m_bBlinkText = nPeriod != 0;
  m_bBlinkPhase = false;
  if (m_bBlinkText)
    SetTimer(kBlinkTimer, nPeriod, NULL);
  else
    KillTimer(kBlinkTimer);
  return *this;
}

CNewLabel& CNewLabel::SetFlashBackground(UINT nPeriod) {
  m_bFlashBackground = nPeriod != 0;
  m_bFlashPhase = false;
  if (m_bFlashBackground)
    SetTimer(kFlashTimer, nPeriod, NULL);
  else
    KillTimer(kFlashTimer);
  return *this;
}

CNewLabel& CNewLabel::SetToolTip(const CString& strText, int nPlacement, bool bHoverNeedsTip) {
  m_toolTip.HideAndDestroy();
  m_bHoverNeedsTip = bHoverNeedsTip;
  m_bHasTip = m_toolTip.Create(this, strText, nPlacement) != FALSE;
  return *this;
}

CString CNewLabel::ShownText() const {
  CString strText = m_bVertical ? VerticalForm(m_strText) : m_strText;
  if (m_bLowerCase) strText.MakeLower();
  if (m_bUpperCase) strText.MakeUpper();
  return strText;
}

void CNewLabel::OnPaint() {
  if (m_bNativePaint) {
    Default();
    return;
  }
  CPaintDC dc(this);
  CRect rcClient;
  GetClientRect(rcClient);
  const CString strText = ShownText();
  const int nHorizontal = AlignmentIndex(m_nAlignment, kCentre, kRight);
  const int nVertical = AlignmentIndex(m_nAlignment, kMiddle, kBottom);
  CFont* pOldFont = dc.SelectObject(&m_font);
  dc.SetBkMode(TRANSPARENT);

  CTextRotator rotator(&dc, strText, nHorizontal, nVertical);
  rotator.SetTextColor(m_crText);
  rotator.SetDisabled((GetStyle() & WS_DISABLED) != 0);
  rotator.SetEtchedLines(m_bEtchedLines);
  const COLORREF crOwn = m_bSysBackground ? ::GetSysColor(COLOR_BTNFACE) : m_crBackground;
  rotator.SetBkColor(m_bOwnBackground ? crOwn : m_crBackground2);

  // While the background flashes, its lit phase is the colour's whole COLORREF shifted right by
  // one bit.
  COLORREF crFill = crOwn;
  if (m_bFlashBackground && m_bFlashPhase && !m_bSysBackground) crFill = m_crBackground >> 1;
  dc.FillSolidRect(rcClient, crFill);

  if (m_hBkBitmap != NULL) DrawBkBitmap(&dc, rcClient);
  const bool bOneLine = strText.Find('\n') < 0;
  if (m_hBkBitmap != NULL && m_nAngle == 0 && (bOneLine || nVertical == 0)) {
    DrawDirectly(&dc, rcClient, strText);
  } else if (rotator.Render(m_nAngle)) {
    rotator.Draw(rcClient);
  }
  dc.SelectObject(pOldFont);
}

void CNewLabel::DrawBkBitmap(CDC* pDC, const CRect& rcClient) {
  CDC dcBitmap;
  if (!dcBitmap.CreateCompatibleDC(pDC)) return;
  BITMAP bm;
  ::GetObject(m_hBkBitmap, sizeof bm, &bm);
  CBitmap* pOldBitmap = dcBitmap.SelectObject(CBitmap::FromHandle(m_hBkBitmap));
  if (m_bStretchBitmap)
    pDC->StretchBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcBitmap, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  else
    pDC->BitBlt((rcClient.Width() - bm.bmWidth) / 2, (rcClient.Height() - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight,
                &dcBitmap, 0, 0, SRCCOPY);
  dcBitmap.SelectObject(pOldBitmap);
}

void CNewLabel::DrawDirectly(CDC* pDC, CRect rcClient, const CString& strText) {
  pDC->SetTextColor(m_bSysTextColor ? ::GetSysColor(COLOR_WINDOWTEXT) : m_crText);
  UINT nFormat = DT_LEFT;
  if (m_nAlignment & kCentre) nFormat |= DT_CENTER;
  if (m_nAlignment & kRight) nFormat |= DT_RIGHT;
  if (m_nAlignment & kMiddle) nFormat |= DT_SINGLELINE | DT_VCENTER;
  if (m_nAlignment & kBottom) {
    CRect rcText = rcClient;
    const int nHeight = pDC->DrawText(strText, rcText, nFormat | DT_CALCRECT);
    rcClient.top = rcClient.bottom - nHeight;
  }
  pDC->DrawText(strText, rcClient, nFormat);
}

void CNewLabel::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bMouseTracked) {
    TRACKMOUSEEVENT track;
    track.cbSize = sizeof track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = m_hWnd;
    track.dwHoverTime = kHoverTime;
    m_bMouseTracked = ::_TrackMouseEvent(&track) != FALSE;
  }
  CStatic::OnMouseMove(nFlags, point);
}

// With a tip that holds the hover colour back, the colour changes only while the tip has text.
LRESULT CNewLabel::OnMouseHover(WPARAM, LPARAM) {
  if (!m_bHoverColor) return 0;
  if (m_bHoverNeedsTip && !(m_bHasTip && !m_toolTip.GetText().IsEmpty())) return 0;
  m_crSavedText = m_crText;
  m_crText = m_crHover;
  Redraw();
  return 0;
}

LRESULT CNewLabel::OnMouseLeave(WPARAM, LPARAM) {
  m_bMouseTracked = false;
  if (m_bHoverColor) {
    m_crText = m_crSavedText;
    Redraw();
  }
  return 0;
}

void CNewLabel::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bLink)
    ::ShellExecute(NULL, _T("open"), m_strLink.IsEmpty() ? m_strText : m_strLink, NULL, NULL, SW_SHOWNORMAL);
  CStatic::OnLButtonDown(nFlags, point);
}

BOOL CNewLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hLinkCursor == NULL) return CStatic::OnSetCursor(pWnd, nHitTest, message);
  ::SetCursor(m_hLinkCursor);
  return TRUE;
}

void CNewLabel::OnTimer(UINT nIDEvent) {
  if (nIDEvent == kBlinkTimer && m_bBlinkText) {
    m_bBlinkPhase = !m_bBlinkPhase;
    SetWindowTextInternally(m_bBlinkPhase ? CString() : (m_bVertical ? VerticalForm(m_strText) : m_strText));
    const bool bOwnColour = m_crBackground != ::GetSysColor(COLOR_BTNFACE) && !m_bSysBackground;
    if (!m_bBlinkPhase || bOwnColour) Invalidate(FALSE);
    return;
  }
  if (nIDEvent == kFlashTimer && m_bFlashBackground) {
    m_bFlashPhase = !m_bFlashPhase;
    Invalidate(TRUE);
    return;
  }
  CStatic::OnTimer(nIDEvent);
}

// The static would paint itself as it is enabled or disabled; the label paints once, afterwards.
void CNewLabel::OnEnable(BOOL bEnable) {
  SetRedraw(FALSE);
  CStatic::OnEnable(bEnable);
  SetRedraw(TRUE);
  Invalidate();
}

BOOL CNewLabel::OnEraseBkgnd(CDC* pDC) { return CStatic::OnEraseBkgnd(pDC); }

HBRUSH CNewLabel::CtlColor(CDC* pDC, UINT nCtlColor) {
  if (!m_bNativePaint) return NULL;
  if (nCtlColor == CTLCOLOR_STATIC) {
    pDC->SelectObject(&m_font);
    pDC->SetTextColor(m_bSysTextColor ? ::GetSysColor(COLOR_WINDOWTEXT) : m_crText);
    pDC->SetBkMode(TRANSPARENT);
  }
  return static_cast<HBRUSH>(m_brBackground.GetSafeHandle());
}
