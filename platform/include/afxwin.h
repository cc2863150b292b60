// MFC: the application-wide services (message boxes, the resource and instance handles, string
// helpers), and the window, thread, application and document classes (afx_*.h, included below).
#pragma once

#include <shellapi.h>

#include "afx.h"
#include "afx_msgmap.h"
#include "afx_module.h"

// Shows a message box with the application's name as caption, owned by the calling thread's main
// window when there is one (AfxGetMainWnd). Without an icon in nType, MB_OK and MB_OKCANCEL boxes
// get the exclamation icon and MB_YESNO and MB_YESNOCANCEL boxes the question icon, as the
// platform's default handler does. Returns the button chosen (the scripted user's answer).
STANDIN_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The prompt is string resource nIDPrompt (along the resource chain, as the calling module sees
// it); a missing string is an assertion failure and shows an empty box.
AFX_MODULE_LOCAL inline int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1) {
  CString prompt;
  if (!prompt.LoadString(nIDPrompt)) {
    TRACE("Error: failed to load message box prompt string 0x%04x.\n", nIDPrompt);
    ASSERT(FALSE);
  }
  return AfxMessageBox(prompt, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

// The current module state's resource handle: the module resources are looked for in after the
// calling module's own (the application's: the program, GetModuleHandle(NULL), unless set; a
// regular DLL's: the DLL).
STANDIN_API HINSTANCE AFXAPI AfxGetResourceHandle();
STANDIN_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The current module state's module: the program, or a regular DLL in its own state.
STANDIN_API HINSTANCE AFXAPI AfxGetInstanceHandle();
// The first module along the resource chain (afx_module.h) that has the resource, as seen from
// the module whose code asks; the resource handle when none has it.
AFX_MODULE_LOCAL inline HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  return afx_internal::FindResourceHandle(afx_internal::ThisModule(), lpszName, lpszType);
}
// The application's name: the application object's m_pszAppName, or without an application
// object the program's file title.
STANDIN_API LPCTSTR AFXAPI AfxGetAppName();

// rString = lpszFormat with each "%1" (and "%2") replaced by the argument.
STANDIN_API void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
namespace afx_internal {
AFX_MODULE_LOCAL inline void FormatStringResource(CString& rString, UINT nIDS, LPCTSTR const* inserts, int count) {
  CString format;
  if (!format.LoadString(nIDS)) {
    TRACE("Error: failed to load AfxFormatString string 0x%04x.\n", nIDS);
    ASSERT(FALSE);
    return;
  }
  AfxFormatStrings(rString, format, inserts, count);
}
}  // namespace afx_internal
// The format is string resource nIDS, along the resource chain as the calling module sees it (a
// missing one is an assertion failure and leaves rString as it was).
AFX_MODULE_LOCAL inline void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1) {
  afx_internal::FormatStringResource(rString, nIDS, &lpsz1, 1);
}
AFX_MODULE_LOCAL inline void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2) {
  LPCTSTR inserts[2] = {lpsz1, lpsz2};
  afx_internal::FormatStringResource(rString, nIDS, inserts, 2);
}
// The iSubString'th field (from 0) of lpszFullString split at chSep; FALSE (and rString empty)
// when there are fewer fields. A separator byte inside a double-byte character does not split.
STANDIN_API BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                            TCHAR chSep = '\n');

#include "afx_wnd.h"
#include "afx_dialog.h"
#include "afx_menu.h"
#include "afx_thread.h"
#include "afx_doc.h"
