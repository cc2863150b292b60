// CWycAppWiz: the one plug-in object of WycAppWiz.dll ("TQ Wyc AppWizard"). Once the user picks
// the Harrowgate/Wyc application type in the host's steps, the host forwards its steps, templates
// and customization to it: a first step, a code step for new projects, an error page when no
// usable installation exists; its CustomizeProject drives the engine over the new project.
#pragma once

#include "WycAppWiz/Steps.h"
#include "plugin/CustomAppWizard.h"

class CEngine;

// Thrown by value inside the plug-in.
enum CWycAppWizExc {
  WYCAPPWIZ_EXC_NO_MEMORY = 0,
};

class CWycAppWiz : public CCustomAppWizard {
 public:
  enum { STEP_FIRST = 0, STEP_CODE = 1, STEP_HOST = 4 };

  CWycAppWiz();
  ~CWycAppWiz() override;

  CAppWizStepDlg* Next(CAppWizStepDlg* pDlg) override;
  CAppWizStepDlg* Back(CAppWizStepDlg* pDlg) override;
  void InitCustomAppWizard() override;
  void ExitCustomAppWizard() override;
  void CustomizeProject(IBuildProject* pProject) override;

 private:
  // Box 51 when the Wyc add-in is registered with the IDE but switched off.
  static void CheckAddIn();
  void ReportProblems();
  void Customize();

  int m_nStep;
  CEngine* m_pEngine;
  CFirstStepDlg m_firstStep;
  CCodeStepDlg m_codeStep;
  CErrorStepDlg m_errorStep;
  int m_nInstallations;
  CFirstStepDlg* m_pFirstStep;
  CCodeStepDlg* m_pCodeStep;
  CErrorStepDlg* m_pErrorStep;
};
