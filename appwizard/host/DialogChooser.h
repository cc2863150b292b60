// The host's step router: shows the project-type step, binds the plug-in the user chose there and
// from then on hands Next, Back and the template and customization calls to it. The counter says
// where the wizard is: 0 nothing shown, 1 the project-type step, above 1 that many steps minus one
// of the plug-in entered.
#pragma once

#include "stdafx.h"

#include "host/ComponentProblemDlg.h"

class CAppWizardsLoader;
class CCustomAppWizard;
class CInformationDepot;
class CMFCWycAppTypeDlg;

class CDialogChooser final {
 public:
  CDialogChooser(CInformationDepot* pDepot, CAppWizardsLoader* pLoader);
  ~CDialogChooser();

  // The platform list the host library gave (kept; handed to a plug-in when one is chosen).
  virtual void SetPlatformList(CStringList* pPlatforms);
  virtual CAppWizStepDlg* Next(CAppWizStepDlg* pDlg);
  virtual CAppWizStepDlg* Back(CAppWizStepDlg* pDlg);
  virtual void Reserved();
  virtual void ExitCustomAppWizard();
  // The chosen plug-in's template hooks; TRUE (the host library's default) without one.
  virtual BOOL LoadTemplate(LPCTSTR* ppszTemplateName, DWORD* pdwSize, HINSTANCE* phInstance, LPCTSTR* ppszTemplate);
  virtual BOOL CopyTemplate(LPCTSTR* ppszInput, DWORD* pdwSize, CTemplateOutput* pOutput);
  virtual BOOL ProcessTemplate(LPCTSTR* ppszInput, DWORD* pdwSize, CTemplateOutput* pOutput);
  virtual void PostProcessTemplate(LPCTSTR szTemplate);
  virtual void CustomizeProject(IBuildProject* pProject);

  // The path step was shown before this router's steps: a plug-in then counts two host steps.
  void SetPathStepShown() { m_bPathStepShown = true; }

  // The plug-in of the project-type step's choice, initialised, or null when its slot has none.
  // Throws what binding or initialising it throws.
  CCustomAppWizard* SelectAppWizard();

  CMFCWycAppTypeDlg* GetAppTypeDlg() const { return m_pAppTypeDlg; }
  CCustomAppWizard* GetAppWizard() const { return m_pAppWizard; }
  int GetStepCounter() const { return m_nStep; }

  CDialogChooser(const CDialogChooser&) = delete;
  CDialogChooser& operator=(const CDialogChooser&) = delete;

 private:
  void ChooseAppWizard();

  CMFCWycAppTypeDlg* m_pAppTypeDlg;
  int m_nStep;
  CCustomAppWizard* m_pAppWizard;
  CInformationDepot* m_pDepot;
  CComponentProblemDlg m_componentProblemDlg;
  CAppWizardsLoader* m_pLoader;
  CStringList* m_pPlatforms;
  bool m_bPathStepShown;
};
