#include "CommandFrame.h"

#include "CatalogueResource.h"
#include "FailureText.h"
#include "bridge/VSApplication.h"

int AddInMessageBox(const CString& text, UINT type) {
  CString caption;
  caption.LoadString(IDS_PRODUCT_NAME);
  return ::MessageBox(CVSApplication::GetMainFrameHandle(), text, caption, type);
}

// The wait cursor is Developer Studio's application's (the add-in runs in its process).
CCommandFrame::CCommandFrame(IApplication* application, bool waitCursor)
    : m_application(application), m_waitCursor(waitCursor && AfxGetApp() != NULL) {
  if (m_waitCursor) AfxGetApp()->BeginWaitCursor();
  if (m_application != NULL) m_application->EnableModeless(VARIANT_FALSE);
}

CCommandFrame::~CCommandFrame() {
  if (m_application != NULL) m_application->EnableModeless(VARIANT_TRUE);
  if (m_waitCursor && AfxGetApp() != NULL) AfxGetApp()->EndWaitCursor();
}

void CCommandFrame::RestoreWaitCursor() {
  if (m_waitCursor && AfxGetApp() != NULL) AfxGetApp()->RestoreWaitCursor();
}

void CCommandFrame::Run(const std::function<void()>& work) {
  CString message;
  try {
    work();
    return;
  } catch (CException* e) {
    message = FailureText(e);
    e->Delete();
  } catch (...) {
    message = UnknownFailureText();
  }
  AddInMessageBox(message);
}
