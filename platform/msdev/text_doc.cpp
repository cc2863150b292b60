// A text document (text_doc.h).
#include "text_doc.h"

#include "ide_app.h"
#include "prompts.h"

IMPLEMENT_DYNCREATE(CTextDoc, CDocument)

CTextDoc::CTextDoc() = default;

CTextDoc::~CTextDoc() = default;

BOOL CTextDoc::OnOpenDocument(LPCTSTR lpszPathName) {
  msdev::Ide& ide = msdev::Ide::Instance();
  CIdeApp* app = ide.App();
  const HRESULT hr = ide.OpenDocument(lpszPathName, app != NULL && app->OpeningReadOnly(), m_model);
  if (app != NULL) app->SetOpenResult(hr);
  return SUCCEEDED(hr);
}

BOOL CTextDoc::OnSaveDocument(LPCTSTR) {
  if (m_model) msdev::Ide::Instance().SaveDocument(m_model);
  return TRUE;
}

void CTextDoc::OnCloseDocument() {
  if (m_model) msdev::Ide::Instance().CloseDocument(m_model);
  CDocument::OnCloseDocument();
}

BOOL CTextDoc::IsModified() { return m_model && !m_model->saved; }

BOOL CTextDoc::SaveModified() {
  if (!IsModified()) return TRUE;
  CIdeApp* app = msdev::Ide::Instance().App();
  const int answer =
      app != NULL ? app->Prompt(msdev::SaveChangesText(m_model->fullPath), MB_YESNOCANCEL | MB_ICONEXCLAMATION) : IDNO;
  if (answer == IDCANCEL) return FALSE;
  return answer == IDYES ? OnSaveDocument(m_strPathName) : TRUE;
}
