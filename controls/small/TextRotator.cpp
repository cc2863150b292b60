#include "small/TextRotator.h"

#include <algorithm>
#include <vector>

#include "small/ScreenDC.h"

namespace {

const int kEtchGap = 6;  // between the text and a line, and between a line and the edge

std::vector<CString> NonEmptyLines(const CString& strText) {
  std::vector<CString> lines;
  int nStart = 0;
  while (nStart <= strText.GetLength()) {
    int nEnd = strText.Find('\n', nStart);
    if (nEnd < 0) nEnd = strText.GetLength();
    if (nEnd > nStart) lines.push_back(strText.Mid(nStart, nEnd - nStart));
    nStart = nEnd + 1;
  }
  return lines;
}

BOOL IsNtPlatform() {
  OSVERSIONINFO info;
  info.dwOSVersionInfoSize = sizeof info;
  return ::GetVersionEx(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

UINT AlignmentFormat(int nHorizontalAlignment) {
  switch (nHorizontalAlignment) {
    case 1: return DT_CENTER;
    case 2: return DT_RIGHT;
    default: return DT_LEFT;
  }
}

// Where an image of nSize starts in [nFrom, nTo) for alignment 0 (start), 1 (centre), 2 (end).
int Place(int nFrom, int nTo, int nSize, int nAlignment) {
  switch (nAlignment) {
    case 1: return nFrom + (nTo - nFrom - nSize) / 2;
    case 2: return nTo - nSize;
    default: return nFrom;
  }
}

}  // namespace

CTextRotator::CTextRotator(CDC* pDC, const CString& strText, int nHorizontalAlignment, int nVerticalAlignment)
    : m_pDC(pDC),
      m_nHorizontalAlignment(nHorizontalAlignment),
      m_nVerticalAlignment(nVerticalAlignment),
      m_nAngle(0),
      m_bDisabled(FALSE),
      m_bEtched(FALSE),
      m_strText(strText),
      m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_hOldImageBitmap(NULL) {}

CTextRotator::~CTextRotator() { ReleaseImage(); }

void CTextRotator::ReleaseImage() {
  if (m_dcImage.m_hDC != NULL && m_hOldImageBitmap != NULL) m_dcImage.SelectObject(m_hOldImageBitmap);
  m_hOldImageBitmap = NULL;
  m_dcImage.DeleteDC();
  m_bmpImage.DeleteObject();
  m_rectImage.SetRectEmpty();
}

BOOL CTextRotator::Render(int nAngle) {
  ReleaseImage();
  m_nAngle = nAngle;
  const std::vector<CString> lines = NonEmptyLines(m_strText);
  if (lines.empty()) return FALSE;

  // The block: the widest line by the number of lines times the tallest line.
  int nWidth = 0, nLineHeight = 0;
  for (const CString& line : lines) {
    const CSize size = m_pDC->GetTextExtent(line);
    nWidth = std::max(nWidth, static_cast<int>(size.cx));
    nLineHeight = std::max(nLineHeight, static_cast<int>(size.cy));
  }
  const int nHeight = nLineHeight * static_cast<int>(lines.size());
  const int nSide = std::max(nWidth, nHeight);

  // Two square work bitmaps compatible with the screen, and two memory DCs; whatever was made is
  // released when one of them fails.
  CScreenDC screen;
  CBitmap bmpText, bmpTurned;
  CDC dcText, dcTurned;
  if (!bmpText.CreateCompatibleBitmap(&screen, nSide, nSide) ||
      !bmpTurned.CreateCompatibleBitmap(&screen, nSide, nSide) || !dcText.CreateCompatibleDC(m_pDC) ||
      !dcTurned.CreateCompatibleDC(m_pDC))
    return FALSE;
  CBitmap* pOldText = dcText.SelectObject(&bmpText);
  CFont* pOldFont = dcText.SelectObject(m_pDC->GetCurrentFont());
  dcText.SetBkMode(TRANSPARENT);
  dcText.FillSolidRect(0, 0, nSide, nSide, m_crBackground);
  CBitmap* pOldTurned = dcTurned.SelectObject(&bmpTurned);
  dcTurned.FillSolidRect(0, 0, nSide, nSide, m_crBackground);

  const UINT nFormat = DT_SINGLELINE | DT_VCENTER | AlignmentFormat(m_nHorizontalAlignment);
  for (size_t i = 0; i < lines.size(); ++i) {
    CRect rectLine(0, static_cast<int>(i) * nLineHeight, nWidth, static_cast<int>(i + 1) * nLineHeight);
    if (m_bDisabled) {
      CRect rectRaised = rectLine;
      rectRaised.OffsetRect(1, 1);
      dcText.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
      dcText.DrawText(lines[i], &rectRaised, nFormat);
      dcText.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    } else {
      dcText.SetTextColor(m_crText);
    }
    dcText.DrawText(lines[i], &rectLine, nFormat);
  }

  // Turned clockwise: on NT-family systems by one PlgBlt, elsewhere pixel by pixel.
  const int w = nWidth, h = nHeight;
  const bool bTurns = nAngle == 90 || nAngle == 180 || nAngle == 270;
  if (!bTurns) {
    dcTurned.BitBlt(0, 0, w, h, &dcText, 0, 0, SRCCOPY);
  } else if (IsNtPlatform()) {
    POINT corners[3];
    if (nAngle == 90) {
      corners[0] = {h, 0};
      corners[1] = {h, w};
      corners[2] = {0, 0};
    } else if (nAngle == 180) {
      corners[0] = {w, h};
      corners[1] = {0, h};
      corners[2] = {w, 0};
    } else {
      corners[0] = {0, w};
      corners[1] = {0, 0};
      corners[2] = {h, w};
    }
    CBitmap noMask;
    dcTurned.PlgBlt(corners, &dcText, 0, 0, w, h, noMask, 0, 0);
  } else {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (nAngle == 90)
          dcTurned.SetPixel(h - 1 - y, x, dcText.GetPixel(x, y));
        else if (nAngle == 180)
          dcTurned.SetPixel(x, y, dcText.GetPixel(w - 1 - x, h - 1 - y));
        else
          dcTurned.SetPixel(y, x, dcText.GetPixel(w - 1 - x, y));
      }
  }

  dcText.SelectObject(pOldFont);
  dcText.SelectObject(pOldText);
  // The turned image stays, in its DC, for Draw.
  m_hOldImageBitmap = pOldTurned->m_hObject;
  m_bmpImage.Attach(bmpTurned.Detach());
  m_dcImage.Attach(dcTurned.Detach());
  m_rectImage = (nAngle == 90 || nAngle == 270) ? CRect(0, 0, h, w) : CRect(0, 0, w, h);
  return TRUE;
}

void CTextRotator::Draw(const CRect& rect) {
  if (m_dcImage.m_hDC == NULL) return;
  const int nImageWidth = m_rectImage.Width(), nImageHeight = m_rectImage.Height();
  const int x = Place(rect.left, rect.right, nImageWidth, m_nHorizontalAlignment);
  const int y = Place(rect.top, rect.bottom, nImageHeight, m_nVerticalAlignment);
  const CRect rectImage(x, y, x + nImageWidth, y + nImageHeight);
  const CRect rectShown = rectImage & rect;
  if (!rectShown.IsRectEmpty())
    m_pDC->BitBlt(rectShown.left, rectShown.top, rectShown.Width(), rectShown.Height(), &m_dcImage,
                  rectShown.left - x, rectShown.top - y, SRCCOPY);
  if (!m_bEtched) return;

  if (m_nAngle == 90 || m_nAngle == 270) {
    const int xMiddle = x + nImageWidth / 2;
    if (m_nVerticalAlignment != 0) DrawEtchedLine(xMiddle, rect.top + kEtchGap, xMiddle, y - kEtchGap, FALSE);
    if (m_nVerticalAlignment != 2)
      DrawEtchedLine(xMiddle, y + nImageHeight + kEtchGap, xMiddle, rect.bottom - kEtchGap, FALSE);
  } else {
    const int yMiddle = y + nImageHeight / 2;
    if (m_nHorizontalAlignment != 0) DrawEtchedLine(rect.left + kEtchGap, yMiddle, x - kEtchGap, yMiddle, TRUE);
    if (m_nHorizontalAlignment != 2)
      DrawEtchedLine(x + nImageWidth + kEtchGap, yMiddle, rect.right - kEtchGap, yMiddle, TRUE);
  }
}

// A line from (x1, y1) to (x2, y2), two pixels thick: the shadow first, the highlight after it.
void CTextRotator::DrawEtchedLine(int x1, int y1, int x2, int y2, BOOL bHorizontal) {
  CRect rectLine = bHorizontal ? CRect(x1, y1, x2, y1 + 2) : CRect(x1, y1, x1 + 2, y2);
  if (rectLine.IsRectEmpty()) return;
  m_pDC->DrawEdge(&rectLine, EDGE_ETCHED, bHorizontal ? BF_TOP : BF_LEFT);
}
