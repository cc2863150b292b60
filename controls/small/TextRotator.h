// Renders a text of one or more lines off-screen, turned clockwise by 0, 90, 180 or 270 degrees,
// and copies the image into a rectangle of a target DC at the place its alignments give. A label
// makes one for each paint.
#pragma once

#include "stdafx.h"

class CTextRotator {
 public:
  // Horizontal alignment 0 left, 1 centre, 2 right; vertical 0 top, 1 middle, 2 bottom. The text
  // is drawn in the target DC's current font.
  CTextRotator(CDC* pDC, const CString& strText, int nHorizontalAlignment, int nVerticalAlignment);
  // Deletes the off-screen image.
  virtual ~CTextRotator();

  void SetTextColor(COLORREF crText) { m_crText = crText; }
  void SetBkColor(COLORREF crBackground) { m_crBackground = crBackground; }
  // Disabled text is drawn embossed: highlight one pixel right and down, then shadow.
  void SetDisabled(BOOL bDisabled) { m_bDisabled = bDisabled; }
  // Etched lines continue the text to the rectangle's edges at its middle.
  void SetEtchedLines(BOOL bEtched) { m_bEtched = bEtched; }

  // Renders the text turned by nAngle degrees (any angle but 90, 180 and 270 is drawn unturned).
  // FALSE, and nothing to draw, when the text has no non-empty line or a bitmap or DC cannot be
  // made.
  BOOL Render(int nAngle);
  // Copies the rendered image into the rectangle (and no further), with the etched lines.
  void Draw(const CRect& rect);
  // The rendered image's size: the block's width by its height, swapped at 90 and 270 degrees.
  const CRect& GetImageRect() const { return m_rectImage; }

 protected:
  CDC* m_pDC;
  CDC m_dcImage;
  CRect m_rectImage;
  int m_nHorizontalAlignment;
  int m_nVerticalAlignment;
  int m_nAngle;
  BOOL m_bDisabled;
  BOOL m_bEtched;
  CString m_strText;
  COLORREF m_crBackground;
  COLORREF m_crText;

 private:
  void ReleaseImage();
  void DrawEtchedLine(int x1, int y1, int x2, int y2, BOOL bHorizontal);

  CBitmap m_bmpImage;
  HGDIOBJ m_hOldImageBitmap;
};
