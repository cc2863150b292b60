#include "CommandFrame.h"

#include "CatalogueResource.h"
#include "ServerResource.h"
#include "TqException.h"
#include "bridge/VSApplication.h"

namespace {

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The text of a file exception's cause; causes other than 1 to 14 have none.
CString CauseText(int cause) {
  const int first = CFileException::generic;
  const int count = IDS_FILE_CAUSE_LAST - IDS_FILE_CAUSE_FIRST + 1;
  if (cause < first || cause >= first + count) return CString();
  return LoadText(IDS_FILE_CAUSE_FIRST + (cause - first));
}

}  // namespace

int AddInMessageBox(const CString& text, UINT type) {
  return ::MessageBox(CVSApplication::GetMainFrameHandle(), text, LoadText(IDS_PRODUCT_NAME), type);
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
  } catch (TQ::CTqException* e) {
    message = e->GetMessage();
    e->Delete();
  } catch (CFileException* e) {
    message = LoadText(IDS_COULD_NOT_CONVERT) + "\n\n" + e->m_strFileName + ":\n" + CauseText(e->m_cause);
    e->Delete();
  } catch (CException* e) {
    message = LoadText(IDS_UNKNOWN_ERROR);
    e->Delete();
  } catch (...) {
    message = LoadText(IDS_UNKNOWN_ERROR);
  }
  AddInMessageBox(message);
}
