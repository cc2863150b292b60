// Thermo.h : main header file for the THERMO DLL
//

#if !defined(AFX_THERMO_H__INCLUDED_)
#define AFX_THERMO_H__INCLUDED_

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

#ifndef __AFXWIN_H__
	#error include 'stdafx.h' before including this file for PCH
#endif

#include "resource.h"		// main symbols

class CThermoApp : public CWinApp
{
public:
	CThermoApp();

	//{{AFX_VIRTUAL(CThermoApp)
	//}}AFX_VIRTUAL

	//{{AFX_MSG(CThermoApp)
	//}}AFX_MSG
	DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_THERMO_H__INCLUDED_)
