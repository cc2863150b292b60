#include "component/ComponentTreeNodes.h"

#include "InformationDepot.h"
#include "SablewingPreferences.h"
#include "component/ComponentTree.h"
#include "component/WycInstrRequiredDlg.h"

namespace {

const LPCTSTR kCBasedDriverMessage =
    _T("You have selected a C-based instrument driver for use in a\nDLL project. You must include ")
    _T("TqForceMFCLink.h at the top of\nthis instrument driver's source file(s) to prevent link errors.\n\nFor ")
    _T("more information, refer to \"Why do I get linker errors when\ncompiling a project that uses C-based ")
    _T("instrument drivers?\" in\nthe Sablewing FAQ.");

}  // namespace

// --- CCategoryNode ----------------------------------------------------------------------------

CCategoryNode::CCategoryNode(CComponentTree* pTree, LPCTSTR lpszName) : CtqSelectableTreeNode(pTree, lpszName, 0) {}

void CCategoryNode::ToggleCheck() {
  CComponentTree* tree = static_cast<CComponentTree*>(GetSelectableTree());
  const HTREEITEM child = tree->GetChildItem(GetHandle());
  if (child == NULL) return;
  CtqSelectableTreeNode::ToggleCheck();
  if (m_nCheckState != kUnchecked) return;
  std::vector<CComponent*> components;
  tree->CollectComponents(child, components);
  for (CComponent* component : components) component->Selected = false;
}

void CCategoryNode::SetCheckState(int nState) { CtqSelectableTreeNode::SetCheckState(nState); }

// --- CVendorNode ------------------------------------------------------------------------------

CVendorNode::CVendorNode(CComponentTree* pTree, LPCTSTR lpszName, LPCTSTR lpszAddress)
    : CtqSelectableTreeNode(pTree, lpszName, 0), m_strAddress(lpszAddress) {}

// --- CSelectableObjectNode --------------------------------------------------------------------

CSelectableObjectNode::CSelectableObjectNode(CComponentTree* pTree, CComponent* pComponent)
    : CtqSelectableTreeNode(pTree, pComponent->ComponentName, reinterpret_cast<DWORD_PTR>(pComponent)) {}

CComponentTree* CSelectableObjectNode::GetComponentTree() const {
  return static_cast<CComponentTree*>(GetSelectableTree());
}

LPCTSTR CSelectableObjectNode::GetToolTipText(CToolTipCtrl& toolTip) {
  toolTip.SetMaxTipWidth(150);
  return GetComponent()->ComponentDescription;  // the record's own text: it outlives the tip
}

void CSelectableObjectNode::ToggleCheck() {
  const int state = m_nCheckState == kChecked ? kUnchecked : kChecked;
  CtqSelectableTreeNode::SetCheckState(GetComponentTree()->ApplySelection(GetComponent(), state));
}

void CSelectableObjectNode::SetCheckState(int nState) {
  CtqSelectableTreeNode::SetCheckState(GetComponentTree()->ApplySelection(GetComponent(), nState));
}

// --- CInstrumentDriverNode --------------------------------------------------------------------

CInstrumentDriverNode::CInstrumentDriverNode(CComponentTree* pTree, CComponent* pComponent, CInformationDepot* pDepot)
    : CSelectableObjectNode(pTree, pComponent), m_bWycInstrRequired(pComponent->WycInstrRequried), m_pDepot(pDepot) {}

void CInstrumentDriverNode::ToggleCheck() {
  CSelectableObjectNode::ToggleCheck();
  if (m_nCheckState == kChecked) WarnAboutChecked();
}

void CInstrumentDriverNode::WarnAboutChecked() {
  if (m_bWycInstrRequired && !m_pDepot->IsWycInstrPathInIncludeDirs() &&
      CSablewingPreferences::GetDontDisplayWycInstrWarning()) {
    CWycInstrRequiredDlg dialog;
    dialog.SetPath(m_pDepot->GetWycInstrPath().GetString());
    dialog.DoModal();
  }
  if (GetComponentTree()->IsDllProject() && !GetComponent()->HasImportLibrary)
    GetComponentTree()->MessageBox(kCBasedDriverMessage, _T("Sablewing"), MB_OK);
}
