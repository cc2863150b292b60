// The MFC DLL plug-in's component step (dialog 201): the catalogue as a checkable tree, the
// default components on request, and a link to the instrument-driver downloads. Leaving it puts
// the chosen components into the template macros.
#pragma once

#include "stdafx.h"

#include "Component.h"
#include "component/ComponentTree.h"
#include "plugin/CustomAppWizStepDlg.h"
#include "small/NewLabel.h"

class CAppWizComponentDlg : public CCustomAppWizStepDlg {
 public:
  explicit CAppWizComponentDlg(int nDllProject);
  ~CAppWizComponentDlg() override;

  CString GetHelpTopic() override;
  void ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) override;
  // Takes the tree's checks over; then the macros of the chosen components.
  BOOL OnDismiss() override;

  // The macros that list the components marked Selected, by kind (the category "Hardware APIs",
  // the instrument drivers' category, the rest), each list in ascending order of name: a flag
  // macro "Yes" when its list is not empty (removed otherwise) and the list itself ("" when
  // empty), each entry a line break, nine blanks and the name.
  static void SetComponentMacros(CMapStringToString& dictionary, const std::vector<CComponent>& components);

  CComponentTree m_componentTree;
  CNewLabel m_downloadLink;
  // The host's custom AppWizard, owner of the template dictionary (handed over by the plug-in).
  CCustomAppWiz* m_pHost;
  int m_nDllProject;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // The tree filled from the current depot for this kind of project, the download link set up.
  BOOL OnInitDialog() override;
  // Use Default Components.
  afx_msg void OnDefaultComponents();
  DECLARE_MESSAGE_MAP()
};
