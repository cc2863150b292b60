// CDocument: its path, title and modified flag, and its life within a template. Reading and
// writing are the document class's own: the base's serialization is not modelled.
#include <afxwin.h>

#include <algorithm>

#include "sandbox/internal.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE) {}

CDocument::~CDocument() {
  if (m_pDocTemplate != NULL) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL) {
  TCHAR full[MAX_PATH];
  const DWORD n = ::GetFullPathName(lpszPathName, MAX_PATH, full, NULL);
  m_strPathName = n > 0 && n < MAX_PATH ? full : lpszPathName;
  const int slash = std::max(m_strPathName.ReverseFind('\\'), m_strPathName.ReverseFind('/'));
  SetTitle(m_strPathName.Mid(slash + 1));
}

BOOL CDocument::IsModified() { return m_bModified; }

void CDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR) {
  sandbox::internal::ReportUnmodelled("CDocument::OnOpenDocument (serialization)");
  return FALSE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR) {
  sandbox::internal::ReportUnmodelled("CDocument::OnSaveDocument (serialization)");
  return FALSE;
}

void CDocument::OnCloseDocument() {
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  const int slash = std::max(name.ReverseFind('\\'), name.ReverseFind('/'));
  name = name.Mid(slash + 1);
  CString prompt;
  LPCTSTR inserts[] = {name};
  AfxFormatStrings(prompt, "Save changes to %1?", inserts, 1);
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL)) {
    case IDCANCEL:
      return FALSE;
    case IDYES:
      if (m_strPathName.IsEmpty()) {  // Save As asks for a name: a dialog not modelled here
        sandbox::internal::ReportUnmodelled("CDocument::SaveModified (Save As)");
        return FALSE;
      }
      return OnSaveDocument(m_strPathName);
    default:
      return TRUE;
  }
}

void CDocument::DeleteContents() {}
