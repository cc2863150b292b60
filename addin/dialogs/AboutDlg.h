// The About box: the product's picture, its version and the registered user, and a link to the
// patent information. A click anywhere closes it.
#pragma once

#include "small/LinkLabel.h"
#include "stdafx.h"

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(CWnd* pParent = NULL);
  ~CAboutDlg() override;

  // The product's version as the box shows it.
  static const LPCTSTR kVersion;

  CBitmap m_bitmap;
  CSize m_bitmapSize;
  CFont m_infoFont;
  CLinkLabel m_patentsLink;

 protected:
  // Sized to the picture, the link set up, the information lines filled in.
  BOOL OnInitDialog() override;
  afx_msg void OnPaint();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
