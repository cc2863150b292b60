// The text of a file or archive exception: its cause's text with "%1" the file's name ("an unnamed
// file" without one), cut to the caller's buffer.
#pragma once

#include <afx.h>

namespace mfc42 {

BOOL CopyCauseText(LPCTSTR causeText, const CString& fileName, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext);

}  // namespace mfc42
