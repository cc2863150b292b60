#include "small/LinkLabel.h"

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CLinkLabel::CLinkLabel()
    : m_strUrl(_T("http://www.example.com/")),
      m_crUnvisited(0xFF0000),  // blue
      m_crVisited(0x800080),    // purple
      m_bVisited(false),
      m_nCursorId(0),
      m_nPointSize(100) {}

CLinkLabel::~CLinkLabel() { m_fontUnderline.DeleteObject(); }

BOOL CLinkLabel::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (!CStatic::SubclassDlgItem(nID, pParent)) return FALSE;
  ModifyStyle(0, SS_NOTIFY);
  ModifyStyleEx(0, WS_EX_TRANSPARENT);
  return TRUE;
}

// The link's font is the control's own, underlined, at the link's point size; a control without a
// font of its own starts from the GUI font.
void CLinkLabel::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  if (m_fontUnderline.GetSafeHandle() != NULL) return;
  CFont* pFont = GetFont();
  if (pFont == NULL) pFont = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  LOGFONT lf;
  pFont->GetLogFont(&lf);
  lf.lfHeight = m_nPointSize;
  lf.lfUnderline = TRUE;
  m_fontUnderline.CreatePointFontIndirect(&lf);
}

HBRUSH CLinkLabel::CtlColor(CDC* pDC, UINT) {
  const DWORD dwType = GetStyle() & SS_TYPEMASK;
  if (dwType != SS_LEFT && dwType != SS_CENTER && dwType != SS_RIGHT) return NULL;
  pDC->SelectObject(&m_fontUnderline);
  pDC->SetTextColor(m_bVisited ? m_crVisited : m_crUnvisited);
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

// The link turns visited only when the shell took the address (an answer above 32).
void CLinkLabel::OnClicked() {
  if (m_strUrl.IsEmpty()) return;
  const HINSTANCE hResult = ::ShellExecute(NULL, NULL, m_strUrl, NULL, NULL, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(hResult) > 32) {
    m_bVisited = true;
    RedrawWindow();
  }
}

BOOL CLinkLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_nCursorId == 0) return CStatic::OnSetCursor(pWnd, nHitTest, message);
  const HINSTANCE hResources = AfxFindResourceHandle(MAKEINTRESOURCE(m_nCursorId), RT_GROUP_CURSOR);
  const HCURSOR hCursor = ::LoadCursor(hResources, MAKEINTRESOURCE(m_nCursorId));
  if (hCursor == NULL) return FALSE;
  ::SetCursor(hCursor);
  return TRUE;
}
