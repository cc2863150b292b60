#include "AboutDlg.h"

#include "AddinDialogsResource.h"
#include "RegisteredUserInfo.h"
#include "small/TransparentBitmap.h"

const LPCTSTR CAboutDlg::kVersion = _T("6.0");

namespace {

// "<label> <value>" with the label from the string table.
CString Line(UINT labelId, const CString& value) {
  CString label;
  label.LoadString(labelId);
  return label + _T(" ") + value;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUT, pParent), m_bitmapSize(0, 0) {}

CAboutDlg::~CAboutDlg() {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bitmap.Attach(
      ::LoadBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(IDB_ABOUT), RT_BITMAP), MAKEINTRESOURCE(IDB_ABOUT)));
  CClientDC dc(this);
  m_bitmapSize = GetBitmapSize(&dc, &m_bitmap);
  SetWindowPos(NULL, 0, 0, m_bitmapSize.cx, m_bitmapSize.cy + ::GetSystemMetrics(SM_CYCAPTION),
               SWP_NOMOVE | SWP_NOZORDER);

  CString url;
  url.LoadString(IDS_PATENTS_URL);
  m_patentsLink.SetCursorId(IDC_PATENTS_CURSOR);
  m_patentsLink.SetPointSize(100);
  m_patentsLink.SetUrl(url);
  m_patentsLink.SubclassDlgItem(IDC_PATENTS_LINK, this);

  CWnd* pInfo = GetDlgItem(IDC_ABOUT_INFO);
  LOGFONT lf = {};
  if (CFont* pFont = pInfo->GetFont()) pFont->GetLogFont(&lf);
  m_infoFont.CreatePointFont(100, lf.lfFaceName);
  pInfo->SetFont(&m_infoFont);
  const CRegisteredUserInfo user(6, 0);
  pInfo->SetWindowText(Line(IDS_ABOUT_VERSION, kVersion) + _T("\n") + Line(IDS_ABOUT_USER_NAME, user.GetUserName()) +
                       _T("\n") + Line(IDS_ABOUT_ORGANIZATION, user.GetOrganization()));
  return TRUE;
}

void CAboutDlg::OnPaint() {
  CPaintDC dc(this);
  if (m_bitmap.GetSafeHandle() == NULL) return;
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap* pOld = memory.SelectObject(&m_bitmap);
  dc.BitBlt(0, 0, m_bitmapSize.cx, m_bitmapSize.cy, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(pOld);
}

// The information lines lie over the picture.
HBRUSH CAboutDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (pWnd != NULL && pWnd->GetDlgCtrlID() == IDC_ABOUT_INFO) {
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  }
  return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CAboutDlg::OnLButtonDown(UINT, CPoint) { EndDialog(IDOK); }

void CAboutDlg::OnRButtonDown(UINT, CPoint) { EndDialog(IDOK); }
