// The warning that an instrument driver needs the Wyc instrument directory among Developer
// Studio's include directories: the steps to add it, the path, and "Don't Show Again".
#pragma once

#include "SablewingPreferences.h"
#include "stdafx.h"

class CWycInstrRequiredDlg : public CDialog {
 public:
  // Made without a parent window.
  CWycInstrRequiredDlg();
  ~CWycInstrRequiredDlg() override;

  // The path shown in the dialog.
  void SetPath(const CString& strPath) { m_strPath = strPath; }

  BOOL m_bDontShowAgain;
  CString m_strPath;
  CSablewingPreferences m_preferences;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Stores whether the warning is to be shown again, then closes.
  void OnOK() override;
};
