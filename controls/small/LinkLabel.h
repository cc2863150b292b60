// A static control that shows a web address as a link and opens it when clicked.
#pragma once

#include "stdafx.h"

class CLinkLabel : public CStatic {
 public:
  CLinkLabel();
  ~CLinkLabel() override;

  // Subclasses the dialog item, then makes it notify its clicks (SS_NOTIFY) and draw over its
  // parent (WS_EX_TRANSPARENT).
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  void SetUrl(const CString& strUrl) { m_strUrl = strUrl; }
  // A cursor resource shown over the link; 0 keeps the normal cursor.
  void SetCursorId(int nCursorId) { m_nCursorId = nCursorId; }
  // In tenths of a point.
  void SetPointSize(int nPointSize) { m_nPointSize = nPointSize; }

 protected:
  void PreSubclassWindow() override;
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg void OnClicked();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()

  CString m_strUrl;
  COLORREF m_crUnvisited;
  COLORREF m_crVisited;
  CFont m_fontUnderline;
  bool m_bVisited;
  int m_nCursorId;
  int m_nPointSize;
};
