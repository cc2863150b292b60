// HgWycAddIn.dll, the Wyc add-in: a regular MFC DLL and an in-process COM server. Its
// application object starts and ends the COM server module and registers the add-in's class.
#pragma once

class CHgWycAddInApp : public CWinApp {
 public:
  CHgWycAddInApp();

  // Starts the COM server module with the object map and the type library's LIBID.
  BOOL InitInstance() override;
  // Ends the COM server module.
  int ExitInstance() override;
  // Registers (bRegister) or unregisters the class from the registration script resource 102.
  HRESULT UpdateRegistry(BOOL bRegister);
};
