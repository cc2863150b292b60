#include "stdafx.h"

#include "plugin/CustomAppWizStepDlg.h"

#include "InformationDepot.h"
#include "plugin/CurrentDepot.h"
#include "small/TransparentBitmap.h"

namespace {

// The Help button's place in the frame when the module's first page arranged it.
CRect g_helpPosition;
bool g_helpPositionRecorded = false;

// The bitmap along the module's resource chain, drawn into the rectangle at (0, 0) of the given
// size; a bitmap the chain lacks is an empty one, which draws nothing.
void DrawStepBitmap(CDC* pDC, UINT id, double scale, COLORREF transparent) {
  CBitmap bitmap;
  bitmap.Attach(::LoadBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_BITMAP), MAKEINTRESOURCE(id)));
  const CSize size = GetBitmapSize(pDC, &bitmap);
  const CRect source(0, 0, size.cx, size.cy);
  const CRect dest(0, 0, static_cast<int>(size.cx * scale), static_cast<int>(size.cy * scale));
  DrawTransparentBitmap(pDC, dest, &bitmap, source, transparent, TRUE, TRUE);
}

}  // namespace

BEGIN_MESSAGE_MAP(CCustomAppWizStepDlg, CAppWizStepDlg)
ON_WM_PAINT()
END_MESSAGE_MAP()

CCustomAppWizStepDlg::CCustomAppWizStepDlg(UINT nIDTemplate) : CAppWizStepDlg(nIDTemplate) {}

CCustomAppWizStepDlg::~CCustomAppWizStepDlg() {}

CWnd* CCustomAppWizStepDlg::FrameItem(UINT id) { return GetParent()->GetDlgItem(static_cast<int>(id)); }

void CCustomAppWizStepDlg::GetFrameItemRect(UINT id, LPRECT rect) {
  CRect item, frame;
  FrameItem(id)->GetWindowRect(&item);
  GetParent()->GetWindowRect(&frame);
  rect->left = item.left - frame.left - ::GetSystemMetrics(SM_CXDLGFRAME);
  rect->top = item.top - frame.top - ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYDLGFRAME);
}

void CCustomAppWizStepDlg::DisableFrameItem(UINT id) { FrameItem(id)->EnableWindow(FALSE); }
void CCustomAppWizStepDlg::EnableFrameItem(UINT id) { FrameItem(id)->EnableWindow(TRUE); }
void CCustomAppWizStepDlg::ShowFrameItem(UINT id) { FrameItem(id)->ShowWindow(SW_SHOW); }
void CCustomAppWizStepDlg::HideFrameItem(UINT id) { FrameItem(id)->ShowWindow(SW_HIDE); }

void CCustomAppWizStepDlg::MoveFrameItem(UINT id, int x, int y) {
  FrameItem(id)->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CCustomAppWizStepDlg::SetFrameItemFocus(UINT id) { FrameItem(id)->SetFocus(); }
void CCustomAppWizStepDlg::SetFrameTitle(CString title) { GetParent()->SetWindowText(title); }

void CCustomAppWizStepDlg::DoDataExchange(CDataExchange*) {}

BOOL CCustomAppWizStepDlg::OnInitDialog() {
  CAppWizStepDlg::OnInitDialog();
  if (g_pCurrentDepot != NULL) g_pCurrentDepot->SetHelpTopic(GetHelpTopic());
  return TRUE;
}

void CCustomAppWizStepDlg::OnPaint() {
  CPaintDC dc(this);
  ArrangeFrameAndPaint(&dc, TRUE, TRUE);
  Default();
}

BOOL CCustomAppWizStepDlg::OnDismiss() {
  CPaintDC dc(this);
  ArrangeFrameAndPaint(&dc, FALSE, TRUE);
  return TRUE;
}

CString CCustomAppWizStepDlg::GetHelpTopic() { return ""; }

void CCustomAppWizStepDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) {
  if (!g_helpPositionRecorded) {
    GetFrameItemRect(IDC_FRAME_HELP, &g_helpPosition);
    g_helpPositionRecorded = true;
  }
  // Cancel takes the Help button's original place; after the first arrangement it stands there
  // already and nothing moves.
  CRect cancel;
  GetFrameItemRect(IDC_FRAME_CANCEL, &cancel);
  const int dx = g_helpPosition.left - cancel.left;
  if (dx != 0) {
    MoveFrameItem(IDC_FRAME_CANCEL, cancel.left + dx, cancel.top);
    CRect back;
    GetFrameItemRect(IDC_FRAME_BACK, &back);
    MoveFrameItem(IDC_FRAME_BACK, back.left + dx, back.top);
    CRect finish, next;
    GetFrameItemRect(IDC_FRAME_FINISH, &finish);
    GetFrameItemRect(IDC_FRAME_NEXT, &next);
    if (finish.left > next.left) {
      MoveFrameItem(IDC_FRAME_FINISH, finish.left + dx, finish.top);
      MoveFrameItem(IDC_FRAME_NEXT, next.left + dx, next.top);
    } else {
      // Finish ends right of Next: they exchange places as they move.
      MoveFrameItem(IDC_FRAME_FINISH, next.left + dx, next.top);
      MoveFrameItem(IDC_FRAME_NEXT, finish.left + dx, finish.top);
    }
  }
  if (bShowHelp) {
    ShowFrameItem(IDC_FRAME_HELP);
    EnableFrameItem(IDC_FRAME_HELP);
    MoveFrameItem(IDC_FRAME_HELP, 10, g_helpPosition.top);
    DisableFrameItem(IDC_FRAME_FINISH);
    EnableFrameItem(IDC_FRAME_NEXT);
  } else {
    HideFrameItem(IDC_FRAME_HELP);
    MoveFrameItem(IDC_FRAME_HELP, g_helpPosition.left, g_helpPosition.top);
  }
  FrameItem(IDC_FRAME_HELP)->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

  DrawStepBitmap(pDC, IDB_STEP_BANNER, 1.0, RGB(0, 0, 0));
  if (bDrawBadge) DrawStepBitmap(pDC, IDB_STEP_BADGE, 0.5, RGB(255, 255, 255));
}
