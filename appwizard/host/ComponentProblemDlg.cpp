#include "stdafx.h"

#include "host/ComponentProblemDlg.h"

#include "host/HostResource.h"
#include "small/TransparentBitmap.h"

namespace {

// Where the two pictures stand: the page's left column, below the banner's badge.
const int kPictureLeft = 24;
const int kPictureTop = 112;

// A bitmap of the module's resource chain at its own size at (x, y), white left out; returns its
// height (0 when the chain lacks it: nothing is drawn).
int DrawPicture(CDC* pDC, UINT id, int x, int y) {
  CBitmap bitmap;
  bitmap.Attach(::LoadBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_BITMAP), MAKEINTRESOURCE(id)));
  const CSize size = GetBitmapSize(pDC, &bitmap);
  DrawTransparentBitmap(pDC, CRect(x, y, x + size.cx, y + size.cy), &bitmap, CRect(0, 0, size.cx, size.cy),
                        RGB(255, 255, 255), TRUE, TRUE);
  return size.cy;
}

}  // namespace

CComponentProblemDlg::CComponentProblemDlg() : CCustomAppWizStepDlg(IDD_COMPONENT_PROBLEM) {}

CComponentProblemDlg::~CComponentProblemDlg() {}

// The two pictures stand in the page's left column, below the banner: the problem's picture,
// then its badge below it.
void CComponentProblemDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) {
  CCustomAppWizStepDlg::ArrangeFrameAndPaint(pDC, bShowHelp, TRUE);
  (void)bDrawBadge;
  if (!bShowHelp) {
    EnableFrameItem(IDC_FRAME_NEXT);
    return;
  }
  HideFrameItem(IDC_FRAME_HELP);
  DisableFrameItem(IDC_FRAME_NEXT);
  const int pictureHeight = DrawPicture(pDC, IDB_PROBLEM_PICTURE, kPictureLeft, kPictureTop);
  DrawPicture(pDC, IDB_PROBLEM_BADGE, kPictureLeft, kPictureTop + pictureHeight);
}
