// CFileDialog: the open and save dialog as a modal moment of the scripted user (afxdlgs.h).
#include <afxdlgs.h>

#include <cstring>
#include <string>

#include "sandbox/internal.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_bUp(false),
      m_strDefExt(lpszDefExt != NULL ? lpszDefExt : ""),
      m_strFilter(lpszFilter != NULL ? lpszFilter : ""),
      m_strOkLabel(bOpenFileDialog ? "Open" : "Save") {
  m_pParentWnd = pParentWnd;
  std::memset(&m_ofn, 0, sizeof m_ofn);
  std::memset(m_szFileName, 0, sizeof m_szFileName);
  if (lpszFileName != NULL) lstrcpyn(m_szFileName, lpszFileName, sizeof m_szFileName);
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.Flags = dwFlags | OFN_EXPLORER;
  m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? NULL : static_cast<LPCSTR>(m_strDefExt);
  m_ofn.lpstrFilter = m_strFilter.IsEmpty() ? NULL : static_cast<LPCSTR>(m_strFilter);
}

CFileDialog::~CFileDialog() {}

void CFileDialog::OnInitDone() {}

void CFileDialog::SetControlText(int nID, LPCSTR lpsz) {
  if (!m_bUp) {
    sandbox::internal::Fail("CFileDialog::SetControlText: the dialog is not up (the platform fails)");
    return;
  }
  if (nID != IDOK) STANDIN_UNMODELLED_RETURN();
  m_strOkLabel = lpsz != NULL ? lpsz : "";
}

int CFileDialog::DoModal() {
  m_bUp = true;
  OnInitDone();
  sandbox::Modal modal;
  modal.kind = "FileDialog";
  modal.caption = m_ofn.lpstrTitle != NULL ? m_ofn.lpstrTitle : (m_bOpenFileDialog ? "Open" : "Save As");
  modal.text = m_szFileName;
  modal.style = m_ofn.Flags;
  modal.items = {"Filter: " + std::string(m_strFilter), "Default extension: " + std::string(m_strDefExt),
                 "OK: " + std::string(m_strOkLabel)};
  const sandbox::Answer answer = sandbox::internal::Ask(modal, IDCANCEL);
  m_bUp = false;
  if (answer.action) answer.action(nullptr);  // the dialog is no window of ours
  if (answer.result != IDOK) return IDCANCEL;
  if (answer.text.size() >= sizeof m_szFileName) {
    sandbox::internal::Fail("FileDialog: the scripted path is longer than the dialog's buffer");
    return IDCANCEL;
  }
  lstrcpyn(m_szFileName, answer.text.c_str(), sizeof m_szFileName);
  return IDOK;
}

CString CFileDialog::GetPathName() const { return m_szFileName; }

CString CFileDialog::GetFileName() const {
  const CString path = m_szFileName;
  return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const {
  const CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot < 0 ? CString() : name.Mid(dot + 1);
}
