// MFC: the application-wide services (message boxes, the resource and instance handles, string
// helpers), and the window, thread, application and document classes (afx_*.h, included below).
#pragma once

#include <shellapi.h>

#include "afx.h"

// Shows a message box with the application's name as caption, owned by the calling thread's main
// window when there is one (AfxGetMainWnd). Without an icon in nType, MB_OK and MB_OKCANCEL boxes
// get the exclamation icon and MB_YESNO and MB_YESNOCANCEL boxes the question icon, as the
// platform's default handler does. Returns the button chosen (the scripted user's answer).
STANDIN_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The prompt is string resource nIDPrompt; a missing string is an assertion failure and shows
// an empty box.
STANDIN_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// The module resources are loaded from first (default: the program, GetModuleHandle(NULL)).
STANDIN_API HINSTANCE AFXAPI AfxGetResourceHandle();
STANDIN_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
STANDIN_API HINSTANCE AFXAPI AfxGetInstanceHandle();
// The first module along the resource chain (the resource handle's module, then every module
// with resources in load order, as CString::LoadString walks it) that has the resource; the
// resource handle when none has it.
STANDIN_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// The application's name: the application object's m_pszAppName, or without an application
// object the program's file title.
STANDIN_API LPCTSTR AFXAPI AfxGetAppName();

// rString = lpszFormat with each "%1" (and "%2") replaced by the argument.
STANDIN_API void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
STANDIN_API void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
STANDIN_API void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// The iSubString'th field (from 0) of lpszFullString split at chSep; FALSE (and rString empty)
// when there are fewer fields. A separator byte inside a double-byte character does not split.
STANDIN_API BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                            TCHAR chSep = '\n');

#include "afx_msgmap.h"
#include "afx_wnd.h"
#include "afx_menu.h"
#include "afx_thread.h"
#include "afx_doc.h"
