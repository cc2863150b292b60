// Thermo.cpp : Defines the initialization routines for the DLL.
//

#include "stdafx.h"
#include "Thermo.h"

#ifdef _DEBUG
#define new DEBUG_NEW
#undef THIS_FILE
static char THIS_FILE[] = __FILE__;
#endif

BEGIN_MESSAGE_MAP(CThermoApp, CWinApp)
	//{{AFX_MSG_MAP(CThermoApp)
	//}}AFX_MSG_MAP
END_MESSAGE_MAP()

CThermoApp::CThermoApp()
{
}

CThermoApp theApp;
