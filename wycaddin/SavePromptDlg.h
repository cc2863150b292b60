// Dialog 210: asks the user to save the project file before building, since the add-in reads the
// project's .uir files from the file on disk; "Don't show me this again" ends the asking.
#pragma once

#include "resource.h"

class CSavePromptDlg : public CDialog {
 public:
  explicit CSavePromptDlg(CWnd* pParent = NULL);

  enum { IDD = IDD_SAVE_PROMPT };
  int m_bDontShowAgain;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};
