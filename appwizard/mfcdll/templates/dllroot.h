// $$root$$.h : main header file for the $$ROOT$$ DLL
//

#if !defined(AFX_$$SAFE_ROOT$$_H__INCLUDED_)
#define AFX_$$SAFE_ROOT$$_H__INCLUDED_

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

#ifndef __AFXWIN_H__
	#error include 'stdafx.h' before including this file for PCH
#endif

#include "resource.h"		// main symbols
$$IF(EXTDLL)

// Classes this extension DLL exports are declared with AFX_EXT_CLASS.
$$ELSE

class C$$Root$$App : public CWinApp
{
public:
	C$$Root$$App();

	//{{AFX_VIRTUAL(C$$Root$$App)
$$IF(AUTOMATION)
	public:
	virtual BOOL InitInstance();
$$ENDIF
	//}}AFX_VIRTUAL

	//{{AFX_MSG(C$$Root$$App)
	//}}AFX_MSG
	DECLARE_MESSAGE_MAP()
};
$$ENDIF

#endif // !defined(AFX_$$SAFE_ROOT$$_H__INCLUDED_)
