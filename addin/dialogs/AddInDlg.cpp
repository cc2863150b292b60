#include "AddInDlg.h"

#include <htmlhelp.h>

#include "AddinDialogsResource.h"
#include "HtmlHelpCall.h"
#include "InformationDepot.h"
#include "small/TransparentBitmap.h"

namespace {

// A bitmap along the module's resource chain, loaded for one paint and freed with the object; one
// the chain lacks has no handle and draws nothing.
struct CChainBitmap {
  CChainBitmap(CDC* pDC, UINT id) {
    bitmap.Attach(::LoadBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_BITMAP), MAKEINTRESOURCE(id)));
    size = GetBitmapSize(pDC, &bitmap);
  }
  CBitmap bitmap;
  CSize size;
};

}  // namespace

BEGIN_MESSAGE_MAP(CAddInDlg, CDialog)
ON_WM_PAINT()
ON_BN_CLICKED(IDC_HELP_BUTTON, OnHelpButton)
END_MESSAGE_MAP()

CAddInDlg::CAddInDlg(CInformationDepot* pDepot, UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_pDepot(pDepot) {}

CAddInDlg::~CAddInDlg() {}

BOOL CAddInDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CRect client;
  GetClientRect(&client);
  m_separator.Create(NULL, WS_CHILD | SS_BLACKRECT,
                     CRect(0, client.bottom - 42, client.right - 11, client.bottom - 40), this, IDC_SEPARATOR);
  m_separator.ShowWindow(SW_SHOW);
  return TRUE;
}

void CAddInDlg::OnPaint() {
  CPaintDC dc(this);
  DrawBanner(&dc);
  Default();
}

void CAddInDlg::DrawBanner(CDC* pDC) {
  CRect client, window, separator;
  GetClientRect(&client);
  GetWindowRect(&window);
  m_separator.GetWindowRect(&separator);
  const int band = client.Height() - (window.bottom - separator.top) + 2 * ::GetSystemMetrics(SM_CYBORDER);
  // The banner keeps its width and is stretched down to the band's height; it holds no black,
  // which the drawing would leave out.
  CChainBitmap banner(pDC, IDB_DIALOG_BANNER);
  DrawTransparentBitmap(pDC, CRect(0, 0, banner.size.cx, band), &banner.bitmap, CRect(CPoint(0, 0), banner.size),
                        RGB(0, 0, 0), TRUE, TRUE);
  CChainBitmap badge(pDC, IDB_DIALOG_BADGE);
  const CRect half(0, 0, static_cast<int>(badge.size.cx * 0.5), static_cast<int>(badge.size.cy * 0.5));
  DrawTransparentBitmap(pDC, half, &badge.bitmap, CRect(CPoint(0, 0), badge.size), RGB(255, 255, 255), TRUE, TRUE);
}

CString CAddInDlg::GetHelpTopic() { return CString(); }

void CAddInDlg::OnHelpButton() {
  const CPath path = m_pDepot->GetHelpPath() + CPath(GetHelpTopic());
  CallHtmlHelp(::GetDesktopWindow(), path.GetString(), HH_DISPLAY_TOPIC, 0);
}
