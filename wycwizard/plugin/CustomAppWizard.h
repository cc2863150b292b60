// CCustomAppWizard: the contract between the custom AppWizard (the host) and the plug-in DLLs that
// generate the projects. Each plug-in DLL holds one static object of a class derived from it and
// hands it out through its export GetAppWizard (AppWizardPlugIn.h). The host writes the host
// wizard, the depot and the host step count into it, reads its name, and calls its operations in
// place of its own once the user has chosen the plug-in; it never creates, copies or deletes one.
#pragma once

#include <afxwin.h>
#include <customaw.h>

class CInformationDepot;

class CCustomAppWizard {
 public:
  explicit CCustomAppWizard(CString name);
  virtual ~CCustomAppWizard();

  // The target platforms the New Project dialog offers (already those beginning with "Win32"),
  // changed in place. The base leaves them.
  virtual void GetPlatforms(CStringList& platforms);
  // The next step after the one shown, or NULL when the plug-in has none further.
  virtual CAppWizStepDlg* Next(CAppWizStepDlg* pDlg) = 0;
  // The step before the one shown, or NULL to hand control back to the host's own steps.
  virtual CAppWizStepDlg* Back(CAppWizStepDlg* pDlg) = 0;
  virtual void InitCustomAppWizard();
  virtual void ExitCustomAppWizard();
  // The template hooks: called with pointers to the host's own arguments before the host runs its
  // library's operation. TRUE lets the host run it with the arguments as the hook left them; FALSE
  // makes the host skip it (for LoadTemplate the host then answers *ppszTemplate, null unless the
  // hook stored a text there). The base's LoadTemplate stores the plug-in's module into
  // *phInstance, so the host loads every TEMPLATE resource from the plug-in.
  virtual bool LoadTemplate(LPCTSTR* ppszTemplateName, DWORD* pdwSize, HINSTANCE* phInstance, LPCTSTR* ppszTemplate);
  virtual bool CopyTemplate(LPCTSTR* ppszInput, DWORD* pdwSize, CTemplateOutput* pOutput);
  virtual bool ProcessTemplate(LPCTSTR* ppszInput, DWORD* pdwSize, CTemplateOutput* pOutput);
  virtual void PostProcessTemplate(LPCTSTR szTemplate);
  // The newly created project.
  virtual void CustomizeProject(IBuildProject* pProject);

  const CString& GetName() const { return m_strName; }

  // The host's custom-AppWizard object, whose dictionary the plug-in's macros go into; written
  // by the host when it binds the plug-in.
  CCustomAppWiz* m_pHostWizard;
  // The plug-in DLL's own module, for its TEMPLATE resources; written by its DllMain.
  HINSTANCE m_hModule;
  // The plug-in's identifying name; the host uses a plug-in only when it equals one of the
  // host's known names exactly.
  CString m_strName;
  // The host's installation-information depot, lent (not owned); written by the host.
  CInformationDepot* m_pDepot;
  // How many steps the host shows before the plug-in's; written when the plug-in is chosen.
  int m_nHostStepCount;
};
