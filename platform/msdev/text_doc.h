// A text document of the IDE (what Documents.Open opens) as an MFC document over the core's
// document model: opening, saving and closing are the core's (ide.h), with their events.
#pragma once

#include <afxwin.h>

#include "ide.h"

class CTextDoc : public CDocument {
  DECLARE_DYNCREATE(CTextDoc)
 public:
  CTextDoc();
  ~CTextDoc() override;

  const msdev::DocumentRef& Model() const { return m_model; }

  // The core opens the file (DocumentOpen); read-only as CIdeApp::OpenTextDocument asked.
  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
  // The core closes it (BeforeDocumentClose); the document goes.
  void OnCloseDocument() override;
  BOOL IsModified() override;
  // "Save changes to <full path>?": Yes saves, No (or a box a hook refused) drops the changes,
  // Cancel keeps the document open (FALSE).
  BOOL SaveModified() override;

 private:
  msdev::DocumentRef m_model;
};
