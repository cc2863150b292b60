// Dialog 209, the add-in's settings for the active project: whether it keeps the project's UIR
// callback table (check box 214) and in which file (edit 205), beside the project's name.
#pragma once

#include "resource.h"

class CSettingsDlg : public CDialog {
 public:
  explicit CSettingsDlg(CWnd* pParent = NULL);

  enum { IDD = IDD_SETTINGS };
  BOOL m_bHasProject;        // there is an active project to set
  int m_bMaintainTable;      // check box 214
  CString m_strTableFile;    // edit 205
  CString m_strProjectName;  // "" without an active project
  CString m_strProjectDir;   // ending in a backslash

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  // Ticking the box enables the file name, and offers the project folder's "UIRCallbackTable.c"
  // when it is empty.
  afx_msg void OnMaintainTable();
  DECLARE_MESSAGE_MAP()
};
