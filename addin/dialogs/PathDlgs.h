// The two small dialogs of the components command: no catalogue installed, and a product path
// that leads nowhere.
#pragma once

#include "AddInDlg.h"

// Only Cancel.
class CNoComponentsDlg : public CAddInDlg {
 public:
  CNoComponentsDlg(CInformationDepot* pDepot, CWnd* pParent = NULL);
  ~CNoComponentsDlg() override;
};

// Browse lets the user choose the product directory; the caller checks the path again after OK.
class CInvalidPathDlg : public CAddInDlg {
 public:
  CInvalidPathDlg(CInformationDepot* pDepot, CWnd* pParent = NULL);
  ~CInvalidPathDlg() override;

 protected:
  afx_msg void OnBrowse();
  DECLARE_MESSAGE_MAP()
};
