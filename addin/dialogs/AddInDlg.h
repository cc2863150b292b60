// The base of the add-in's dialogs: a banner down the left side, a line above the buttons, and the
// Help button, which opens the dialog's topic in the product's help.
#pragma once

#include "stdafx.h"

class CInformationDepot;

class CAddInDlg : public CDialog {
 public:
  // The depot is borrowed: its help directory and catalogue.
  CAddInDlg(CInformationDepot* pDepot, UINT nIDTemplate, CWnd* pParent);
  ~CAddInDlg() override;

  // Bitmap 5101 down the left side to the separator, bitmap 5114 at half size over its top.
  virtual void DrawBanner(CDC* pDC);
  // The dialog's topic in the help file; none here.
  virtual CString GetHelpTopic();

 protected:
  // The separator: a black line 2 pixels high, 40 pixels above the bottom.
  BOOL OnInitDialog() override;
  afx_msg void OnPaint();
  afx_msg void OnHelpButton();
  DECLARE_MESSAGE_MAP()

  CStatic m_separator;
  CInformationDepot* m_pDepot;
};
