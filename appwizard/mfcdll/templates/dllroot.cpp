// $$root$$.cpp : Defines the initialization routines for the DLL.
//

#include "stdafx.h"
$$IF(EXTDLL)
#include <afxdllx.h>
$$ENDIF
#include "$$root$$.h"

#ifdef _DEBUG
#define new DEBUG_NEW
#undef THIS_FILE
static char THIS_FILE[] = __FILE__;
#endif

$$IF(EXTDLL)
static AFX_EXTENSION_MODULE $$Root$$DLL = { NULL, NULL };

extern "C" int APIENTRY
DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
	UNREFERENCED_PARAMETER(lpReserved);

	if (dwReason == DLL_PROCESS_ATTACH)
	{
		if (!AfxInitExtensionModule($$Root$$DLL, hInstance))
			return 0;
		new CDynLinkLibrary($$Root$$DLL);
	}
	else if (dwReason == DLL_PROCESS_DETACH)
	{
		AfxTermExtensionModule($$Root$$DLL);
	}
	return 1;
}
$$ELSE
BEGIN_MESSAGE_MAP(C$$Root$$App, CWinApp)
	//{{AFX_MSG_MAP(C$$Root$$App)
	//}}AFX_MSG_MAP
END_MESSAGE_MAP()

C$$Root$$App::C$$Root$$App()
{
}

C$$Root$$App theApp;
$$IF(AUTOMATION)

BOOL C$$Root$$App::InitInstance()
{
	// Register all OLE server (factories) as running.
	COleObjectFactory::RegisterAll();
	return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
	AFX_MANAGE_STATE(AfxGetStaticModuleState());
	return AfxDllGetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow(void)
{
	AFX_MANAGE_STATE(AfxGetStaticModuleState());
	return AfxDllCanUnloadNow();
}

STDAPI DllRegisterServer(void)
{
	AFX_MANAGE_STATE(AfxGetStaticModuleState());
	COleObjectFactory::UpdateRegistryAll();
	return S_OK;
}
$$ENDIF
$$ENDIF
