// The MFC DLL plug-in ("TQ MFC DLL AppWizard"): one own step (the components, or a notice when
// none is installed) followed by the host library's MFC DLL step; the chosen components go into
// the template macros, and after the project was generated they are applied to it with the
// project customizer and the workspace is reopened.
#pragma once

#include "stdafx.h"

#include <objmodel/appauto.h>

#include "mfcdll/AppWizComponentDlg.h"
#include "mfcdll/AppWizNoComponentDlg.h"
#include "plugin/CustomAppWizard.h"

class CVSApplication;
class CVSProjectCustomizer;

class CMFCDLLAppWizard : public CCustomAppWizard {
 public:
  CMFCDLLAppWizard();
  ~CMFCDLLAppWizard() override;

  // The plug-in's steps: index 0 is before them (the host's), 1 its own, 2 the library's
  // step 8. Neither ever goes past an end: Next on the last step and Back before the first
  // answer null and stay.
  CAppWizStepDlg* Next(CAppWizStepDlg* pDlg) override;
  CAppWizStepDlg* Back(CAppWizStepDlg* pDlg) override;
  // A fresh start: index 0, nothing customized; "PROJTYPE_DLL" and "USE_DEFAULT_LANGUAGE" in the
  // dictionary, the frame counting the host's steps and two.
  void InitCustomAppWizard() override;
  // Keeps the new project's Application and makes the bridge and the customizer for it.
  void CustomizeProject(IBuildProject* pProject) override;
  // After a customized run: the chosen components applied to the project, the workspace
  // reopened (its path kept as "DSW Path" meanwhile) and its questions answered. A failure is
  // reported once; the project stays as generated.
  void ExitCustomAppWizard() override;

  // The step of index 1: the component step when the depot holds a component, else the notice.
  void SelectComponentStep();

  CAppWizStepDlg* m_pSteps[3];
  CAppWizComponentDlg m_componentDlg;
  CAppWizNoComponentDlg m_noComponentDlg;
  int m_nStep;
  CVSProjectCustomizer* m_pCustomizer;
  CVSApplication* m_pVSApplication;
  IApplication* m_pApplication;
  bool m_bOwnsApplication;
  bool m_bCustomized;

 private:
  void ReleaseApplication();
  void ApplyComponents();
  static void ReportFailure(CException* e);
};
