// stdafx.h : include file for standard system include files,
//  or project specific include files that are used frequently, but
//      are changed infrequently
//

#if !defined(AFX_STDAFX_H__$$SAFE_ROOT$$__INCLUDED_)
#define AFX_STDAFX_H__$$SAFE_ROOT$$__INCLUDED_

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

#define VC_EXTRALEAN		// Exclude rarely-used stuff from Windows headers

#include <afxwin.h>         // MFC core and standard components
#include <afxext.h>         // MFC extensions
$$IF(AUTOMATION)

#include <afxole.h>         // MFC OLE classes
#include <afxodlg.h>        // MFC OLE dialog classes
#include <afxdisp.h>        // MFC Automation classes
$$ENDIF

#ifndef _AFX_NO_AFXCMN_SUPPORT
#include <afxcmn.h>			// MFC support for Windows Common Controls
#endif // _AFX_NO_AFXCMN_SUPPORT
$$IF(SOCKETS)

#include <afxsock.h>		// MFC socket extensions
$$ENDIF


//{{AFX_INSERT_LOCATION}}
// Microsoft Visual C++ will insert additional declarations immediately before the previous line.

#endif // !defined(AFX_STDAFX_H__$$SAFE_ROOT$$__INCLUDED_)
