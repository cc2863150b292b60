// The custom AppWizard that the New Project dialog runs: it generates nothing itself, but finds
// the plug-in DLLs in the product's "appwizards" folder, lets the user pick a kind of project on
// its own first step, and from then on hands every wizard call to the chosen plug-in (through
// its step router). One static object per module; its address is the host pointer every plug-in
// is given.
#pragma once

#include "stdafx.h"

#include "InformationDepot.h"

class CDialogChooser;
class CBrowseForSablewingPathDlg;
class CAppWizardsLoader;

class CSablewingAppWizardAppWiz : public CCustomAppWiz {
 public:
  CSablewingAppWizardAppWiz();
  ~CSablewingAppWizardAppWiz() override;

  // Keeps the platforms whose names begin with "Win32" and hands the list to the router.
  void GetPlatforms(CStringList& Platforms) override;
  // The path step while no plug-in can be found, else the router's next step.
  CAppWizStepDlg* Next(CAppWizStepDlg* pDlg) override;
  CAppWizStepDlg* Back(CAppWizStepDlg* pDlg) override;
  // A fresh loader, router and path step for this run (the old ones go, and with the old loader
  // the previous run's plug-in DLLs); the step count open; "PROJTYPE_DLL" = "1".
  void InitCustomAppWiz() override;
  void ExitCustomAppWiz() override;
  // The template operations: the chosen plug-in's hook first, then (when the hook lets it) the
  // host library's own operation with what the hook left.
  LPCTSTR LoadTemplate(LPCTSTR lpszTemplateName, DWORD& rdwSize, HINSTANCE hInstance = NULL) override;
  void CopyTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) override;
  void ProcessTemplate(LPCTSTR lpszInput, DWORD dwSize, CTemplateOutput* pOutput) override;
  void PostProcessTemplate(LPCTSTR szTemplate) override;
  void CustomizeProject(IBuildProject* pProject) override;

  CDialogChooser* GetChooser() const { return m_pChooser; }
  CAppWizardsLoader* GetLoader() const { return m_pLoader; }
  CInformationDepot& GetDepot() { return m_depot; }

 private:
  void DeleteRunObjects();

  CDialogChooser* m_pChooser;
  CBrowseForSablewingPathDlg* m_pPathDlg;
  CAppWizardsLoader* m_pLoader;
  CInformationDepot m_depot;
};
