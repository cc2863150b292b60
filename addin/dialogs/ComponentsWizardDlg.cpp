#include "ComponentsWizardDlg.h"

#include "AddinDialogsResource.h"
#include "CatalogueResource.h"
#include "ComponentChoice.h"
#include "InformationDepot.h"

BEGIN_MESSAGE_MAP(CComponentsWizardDlg, CAddInDlg)
ON_BN_CLICKED(IDC_DEFAULT_COMPONENTS, OnDefaultComponents)
END_MESSAGE_MAP()

CComponentsWizardDlg::CComponentsWizardDlg(CInformationDepot* pDepot, bool allConfigurationsUseMFC,
                                           bool isDllProject, CWnd* pParent)
    : CAddInDlg(pDepot, IDD_COMPONENTS_WIZARD, pParent),
      m_bAllConfigurationsUseMFC(allConfigurationsUseMFC),
      m_bIsDllProject(isDllProject) {
  m_componentTree.SetCatalogue(pDepot);
}

CComponentsWizardDlg::~CComponentsWizardDlg() {}

CString CComponentsWizardDlg::GetHelpTopic() { return _T("tqvcmain.chm::\\hdiaddin.htm"); }

void CComponentsWizardDlg::DoDataExchange(CDataExchange* pDX) {
  CAddInDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_COMPONENT_TREE, m_componentTree);
  DDX_Control(pDX, IDC_DOWNLOAD_LINK, m_downloadLink);
}

BOOL CComponentsWizardDlg::OnInitDialog() {
  CAddInDlg::OnInitDialog();
  ModifyStyle(0, WS_CLIPCHILDREN);
  m_componentTree.Populate(m_bIsDllProject);
  SetUpDriverDownloadLink(m_downloadLink);
  return TRUE;
}

void CComponentsWizardDlg::OnDefaultComponents() { UseDefaultComponents(*m_pDepot, m_componentTree); }

void CComponentsWizardDlg::OnOK() {
  if (!m_bAllConfigurationsUseMFC) {
    bool needsMFC = false;
    for (const CComponent& component : m_pDepot->GetComponents())
      needsMFC = needsMFC || (component.Selected && component.MFCRequired);
    if (needsMFC) {
      CString question, caption;
      question.LoadString(IDS_MFC_REQUIRED_QUESTION);
      caption.LoadString(IDS_PRODUCT_NAME);
      if (MessageBox(question, caption, MB_YESNO) != IDYES) return;
    }
  }
  CAddInDlg::OnOK();
}
