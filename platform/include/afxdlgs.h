// MFC's common dialogs: the open and save file dialog.
#pragma once

#include <commdlg.h>

#include "afxwin.h"

// DoModal asks the scripted user (kind "FileDialog"; sandbox/user.h): the record's caption is the
// title (m_ofn.lpstrTitle, else "Open" or "Save As"), its text the initial file name, its style
// the OFN_* flags, and its items "Filter: <filter as given, '|' separated>", "Default extension:
// <ext>" and "OK: <label>" (the OK button's text, "Open" or "Save" unless OnInitDone set another
// with SetControlText). IDOK with a full path chooses that file (GetPathName); IDCANCEL cancels.
class STANDIN_API CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                       CWnd* pParentWnd = NULL);
  ~CFileDialog() override;

  int DoModal() override;
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  // While the dialog is up (from OnInitDone): the text of one of its controls; only the OK button
  // (IDOK) is modelled.
  void SetControlText(int nID, LPCSTR lpsz);

  OPENFILENAME m_ofn;

 protected:
  // The dialog is up, before the user acts.
  virtual void OnInitDone();

 private:
  BOOL m_bOpenFileDialog;
  bool m_bUp;
  CString m_strDefExt;
  CString m_strFilter;  // as given, with its '|' separators (m_ofn.lpstrFilter points at it)
  CString m_strOkLabel;
  char m_szFileName[MAX_PATH];
};
