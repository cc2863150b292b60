#include "stdafx.h"

#include "mfcdll/AppWizComponentDlg.h"

#include <algorithm>

#include "ComponentChoice.h"
#include "InformationDepot.h"
#include "mfcdll/MFCDLLResource.h"
#include "plugin/CurrentDepot.h"

namespace {

void SetListMacros(CMapStringToString& dictionary, LPCTSTR flag, LPCTSTR list, const CString& text) {
  if (text.IsEmpty())
    dictionary.RemoveKey(flag);
  else
    dictionary.SetAt(flag, "Yes");
  dictionary.SetAt(list, text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CAppWizComponentDlg, CCustomAppWizStepDlg)
ON_BN_CLICKED(IDC_USE_DEFAULT_COMPONENTS, OnDefaultComponents)
END_MESSAGE_MAP()

CAppWizComponentDlg::CAppWizComponentDlg(int nDllProject)
    : CCustomAppWizStepDlg(IDD_APPWIZ_COMPONENT), m_pHost(NULL), m_nDllProject(nDllProject) {}

CAppWizComponentDlg::~CAppWizComponentDlg() {}

void CAppWizComponentDlg::DoDataExchange(CDataExchange* pDX) {
  CCustomAppWizStepDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_STEP_COMPONENT_TREE, m_componentTree);
  DDX_Control(pDX, IDC_DOWNLOAD_LINK, m_downloadLink);
}

BOOL CAppWizComponentDlg::OnInitDialog() {
  CCustomAppWizStepDlg::OnInitDialog();
  ModifyStyle(0, WS_CLIPCHILDREN);
  m_componentTree.SetCatalogue(g_pCurrentDepot);
  m_componentTree.Populate(m_nDllProject != 0);
  SetUpDriverDownloadLink(m_downloadLink);
  return TRUE;
}

void CAppWizComponentDlg::OnDefaultComponents() {
  if (g_pCurrentDepot != NULL) UseDefaultComponents(*g_pCurrentDepot, m_componentTree);
}

CString CAppWizComponentDlg::GetHelpTopic() { return "tqvcmain.chm::\\appwizard.htm"; }

void CAppWizComponentDlg::ArrangeFrameAndPaint(CDC* pDC, BOOL bShowHelp, BOOL bDrawBadge) {
  CCustomAppWizStepDlg::ArrangeFrameAndPaint(pDC, bShowHelp, TRUE);
  (void)bDrawBadge;
  if (bShowHelp)
    DisableFrameItem(IDC_FRAME_BACK);
  else
    EnableFrameItem(IDC_FRAME_BACK);
}

BOOL CAppWizComponentDlg::OnDismiss() {
  if (!UpdateData(TRUE)) return FALSE;
  CCustomAppWizStepDlg::OnDismiss();
  if (m_pHost != NULL && g_pCurrentDepot != NULL) SetComponentMacros(m_pHost->m_Dictionary, g_pCurrentDepot->GetComponents());
  return TRUE;
}

void CAppWizComponentDlg::SetComponentMacros(CMapStringToString& dictionary, const std::vector<CComponent>& components) {
  std::vector<const CComponent*> sorted;
  for (const CComponent& component : components) sorted.push_back(&component);
  std::stable_sort(sorted.begin(), sorted.end(), [](const CComponent* a, const CComponent* b) { return *a < *b; });
  CString soft, hard, drivers;
  for (const CComponent* component : sorted) {
    if (!component->Selected) continue;
    const CString entry = "\n         " + component->ComponentName;
    if (component->Category == CComponentTree::kHardwareCategory)
      hard += entry;
    else if (component->Category == CComponentTree::kDriverCategory)
      drivers += entry;
    else
      soft += entry;
  }
  SetListMacros(dictionary, "SOFT_COMPONENTS", "SOFT_COMPS", soft);
  SetListMacros(dictionary, "HARD_COMPONENTS", "HARD_COMPS", hard);
  SetListMacros(dictionary, "INSTRUMENT_DRIVERS", "IDS", drivers);
}
