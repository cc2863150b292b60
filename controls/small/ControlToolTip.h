// A small tip window that belongs to one control: shown over, below or above the control while
// the pointer is on it (and, by default, the left button is down), in the tooltip colours.
#pragma once

#include "stdafx.h"

class CControlToolTip : public CWnd {
 public:
  enum { kOverOwner = 0, kBelowOwner = 1, kAboveOwner = 2 };

  // Registers the window class "ControlToolTip" on first use; a class that cannot be registered
  // throws CResourceException.
  CControlToolTip();
  ~CControlToolTip() override;

  // Makes the tip's window for the owner control (hidden, sized to the text) and starts watching
  // the pointer (timer 1).
  BOOL Create(CWnd* pOwner, const CString& strText, int nPlacement = kBelowOwner);
  // Shows the tip where its placement says; an empty text hides it.
  void Show();
  // Hides the tip, stops the timer, forgets the owner and destroys the window; a tip without a
  // window only forgets its owner.
  void HideAndDestroy();

  void SetText(const CString& strText);
  const CString& GetText() const { return m_strText; }
  void SetPlacement(int nPlacement) { m_nPlacement = nPlacement; }
  void SetColors(COLORREF crText, COLORREF crBackground);
  // Whether the tip shows only while a mouse button is down, and which one (true: the left).
  void SetButtonRule(bool bOnlyWhileButtonDown, bool bLeftButton);

 protected:
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

  CWnd* m_pOwner;
  CString m_strText;
  CRect m_rcText;
  int m_nPlacement;
  COLORREF m_crText;
  COLORREF m_crBackground;
  bool m_bOwnColors;
  bool m_bOnlyWhileButtonDown;
  bool m_bLeftButton;

 private:
  void MeasureText();
};
