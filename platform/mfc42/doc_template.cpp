// Document templates: which documents a template has, which paths it opens, and making and
// opening documents (the document only: no frame, no view).
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

namespace {

bool EndsWithNoCase(const CString& text, const CString& tail) {
  return tail.GetLength() <= text.GetLength() && text.Right(tail.GetLength()).CompareNoCase(tail) == 0;
}

// Reads or starts the document for OpenDocumentFile; false when the document says it cannot.
bool Load(CDocTemplate* t, CDocument* doc, LPCTSTR lpszPathName, UINT nUntitled) {
  if (lpszPathName == NULL) {
    if (!doc->OnNewDocument()) return false;
    t->SetDefaultTitle(doc, nUntitled);
    return true;
  }
  if (!doc->OnOpenDocument(lpszPathName)) return false;
  doc->SetPathName(lpszPathName);
  return true;
}

}  // namespace

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {
  if (nIDResource != 0) m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::AddDocument(CDocument* pDoc) {
  ASSERT(pDoc != NULL && pDoc->m_pDocTemplate == NULL);
  pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
  ASSERT(pDoc != NULL && pDoc->m_pDocTemplate == this);
  pDoc->m_pDocTemplate = NULL;
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const {
  return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = NULL;
  for (POSITION pos = GetFirstDocPosition(); pos != NULL;) {
    CDocument* doc = GetNextDoc(pos);
    if (doc->GetPathName().CompareNoCase(lpszPathName) == 0) {
      rpDocMatch = doc;
      return yesAlreadyOpen;
    }
  }
  CString extension;
  if (GetDocString(extension, filterExt) && !extension.IsEmpty() && EndsWithNoCase(lpszPathName, extension))
    return yesAttemptNative;
  return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == NULL) {
    TRACE("Error: the document template has no document class to make.\n");
    return NULL;
  }
  CObject* object = m_pDocClass->CreateObject();
  auto* doc = dynamic_cast<CDocument*>(object);
  if (doc == NULL) {
    delete object;
    return NULL;
  }
  AddDocument(doc);
  return doc;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  for (POSITION pos = GetFirstDocPosition(); pos != NULL;) GetNextDoc(pos)->OnCloseDocument();
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    if (!GetNextDoc(pos)->SaveModified()) return FALSE;
  return TRUE;
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument, UINT nUntitled) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty()) title = "Untitled";
  if (nUntitled != 0) {
    CString number;
    number.Format("%u", nUntitled);
    title += number;
  }
  pDocument->SetTitle(title);
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL) {}

// The document still open goes with its template (when it deletes itself; else it is let go).
CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc == NULL) return;
  CDocument* doc = m_pOnlyDoc;
  if (doc->m_bAutoDelete)
    delete doc;
  else
    RemoveDocument(doc);
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc != NULL ? reinterpret_cast<POSITION>(m_pOnlyDoc) : NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* doc = reinterpret_cast<CDocument*>(rPos);
  rPos = NULL;
  return doc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  ASSERT(m_pOnlyDoc == NULL);
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  ASSERT(m_pOnlyDoc == pDoc);
  CDocTemplate::RemoveDocument(pDoc);
  m_pOnlyDoc = NULL;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL) {
  CDocument* doc = m_pOnlyDoc;
  const bool made = doc == NULL;
  if (made) {
    doc = CreateNewDocument();
    if (doc == NULL) return NULL;
  } else if (!doc->SaveModified()) {
    return NULL;
  }
  if (Load(this, doc, lpszPathName, 0)) return doc;
  if (made) delete doc;
  return NULL;
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_nUntitledCount(0) {}

CMultiDocTemplate::~CMultiDocTemplate() {
  while (!m_docList.IsEmpty()) {
    POSITION pos = m_docList.GetHeadPosition();
    auto* doc = static_cast<CDocument*>(m_docList.GetNext(pos));
    if (doc->m_bAutoDelete)
      delete doc;
    else
      RemoveDocument(doc);
  }
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const {
  return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  m_docList.Remove(pDoc);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL) {
  CDocument* doc = CreateNewDocument();
  if (doc == NULL) return NULL;
  if (Load(this, doc, lpszPathName, lpszPathName == NULL ? m_nUntitledCount + 1 : 0)) {
    if (lpszPathName == NULL) ++m_nUntitledCount;
    return doc;
  }
  delete doc;
  return NULL;
}
