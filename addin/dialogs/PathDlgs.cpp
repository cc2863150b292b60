#include "PathDlgs.h"

#include "AddinDialogsResource.h"
#include "InformationDepot.h"
#include "InformationDepotException.h"

CNoComponentsDlg::CNoComponentsDlg(CInformationDepot* pDepot, CWnd* pParent)
    : CAddInDlg(pDepot, IDD_NO_COMPONENTS, pParent) {}

CNoComponentsDlg::~CNoComponentsDlg() {}

BEGIN_MESSAGE_MAP(CInvalidPathDlg, CAddInDlg)
ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CInvalidPathDlg::CInvalidPathDlg(CInformationDepot* pDepot, CWnd* pParent)
    : CAddInDlg(pDepot, IDD_INVALID_PATH, pParent) {}

CInvalidPathDlg::~CInvalidPathDlg() {}

void CInvalidPathDlg::OnBrowse() {
  try {
    m_pDepot->BrowseForProductPath(m_hWnd);
  } catch (CInformationDepotException* e) {
    // The choice could not be recorded: the user is told, and may browse again.
    e->ReportError();
    e->Delete();
  }
}
