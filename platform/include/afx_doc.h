// MFC: documents and their templates. Templates may be made without resources and with any of
// the document, frame and view classes NULL; opening a document makes the document only (no
// frame, no view). Reading and writing documents is the document class's own: CDocument's
// serialization through CArchive is not modelled. Included by afxwin.h.
#pragma once

#include "afx_thread.h"

class STANDIN_API CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument();
  // Leaves its template.
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCTSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // The full path (GetFullPathName); the title becomes the file's name. Recent-file lists are not
  // kept, so bAddToMRU changes nothing.
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified();
  virtual void SetModifiedFlag(BOOL bModified = TRUE);

  // A fresh document: DeleteContents, not modified.
  virtual BOOL OnNewDocument();
  // Serialization is not modelled: the base reports the call as unmodelled and fails; document
  // classes read and write their files themselves.
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  // DeleteContents, then the document deletes itself when m_bAutoDelete.
  virtual void OnCloseDocument();
  // Asks "Save changes to <title>?" (Yes No Cancel) when modified: Yes saves (OnSaveDocument of
  // the path), No goes on, Cancel stops (FALSE).
  virtual BOOL SaveModified();
  virtual void DeleteContents();

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate;
  BOOL m_bModified;
  BOOL m_bAutoDelete;
};

class STANDIN_API CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 protected:
  // nIDResource names the string resource of the document strings ("\nDoc\n..."; 0 or a missing
  // string: none).
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);

 public:
  ~CDocTemplate() override;

  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
  enum Confidence {
    noAttempt,
    maybeAttemptForeign,
    maybeAttemptNative,
    yesAttemptForeign,
    yesAttemptNative,
    yesAlreadyOpen
  };

  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  // Sets the document's template; the kinds of template keep it in their lists.
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
  // yesAlreadyOpen (with the document) for a path one of its documents has (compared without
  // case); yesAttemptNative for the template's file extension; else yesAttemptForeign.
  virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);
  // A new document of the document class, added to the template; NULL without a DYNCREATE class.
  virtual CDocument* CreateNewDocument();
  // A new document (lpszPathName NULL: OnNewDocument and the default title) or one read from
  // the file (OnOpenDocument, then SetPathName); NULL, with a document made for it gone again,
  // when that fails.
  virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  // Closes every document (OnCloseDocument).
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual BOOL SaveAllModified();
  // An untitled document's title: the template's document name ("Untitled" without one), with
  // nUntitled after it when it is not 0.
  virtual void SetDefaultTitle(CDocument* pDocument, UINT nUntitled = 0);

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
};

// One document at a time: opening another asks the open one to save (SaveModified) and reuses
// the document object.
class STANDIN_API CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)
 public:
  CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                     CRuntimeClass* pViewClass);
  ~CSingleDocTemplate() override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

 protected:
  CDocument* m_pOnlyDoc;
};

// Any number of documents.
class STANDIN_API CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
 public:
  CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                    CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

 protected:
  afx_internal::PointerList m_docList;
  UINT m_nUntitledCount;  // untitled documents made so far, for their titles
};
