// The nodes of the component tree: categories, vendors, components and instrument drivers. A
// component node's item data is its record in the depot's catalogue.
#pragma once

#include "tree/TqSelectableTreeNode.h"

class CComponent;
class CComponentTree;
class CInformationDepot;

class CCategoryNode : public CtqSelectableTreeNode {
 public:
  CCategoryNode(CComponentTree* pTree, LPCTSTR lpszName);

  // Toggles only a category that has children; unchecking it clears the Selected flag of every
  // component below it, without questions.
  void ToggleCheck() override;
  void SetCheckState(int nState) override;
};

class CVendorNode : public CtqSelectableTreeNode {
 public:
  CVendorNode(CComponentTree* pTree, LPCTSTR lpszName, LPCTSTR lpszAddress);

  // The vendor's web address, kept as the vendor list gives it.
  CString GetAddress() const { return m_strAddress; }

 protected:
  CString m_strAddress;
};

class CSelectableObjectNode : public CtqSelectableTreeNode {
 public:
  CSelectableObjectNode(CComponentTree* pTree, CComponent* pComponent);

  // The record's own description, 150 pixels wide at most.
  LPCTSTR GetToolTipText(CToolTipCtrl& toolTip) override;
  // The mark turns, and the record's flag follows it through the tree's dependency rules.
  void ToggleCheck() override;
  void SetCheckState(int nState) override;

  CComponent* GetComponent() const { return reinterpret_cast<CComponent*>(m_dwData); }

 protected:
  CComponentTree* GetComponentTree() const;
};

class CInstrumentDriverNode : public CSelectableObjectNode {
 public:
  CInstrumentDriverNode(CComponentTree* pTree, CComponent* pComponent, CInformationDepot* pDepot);

  // The component's toggle; a driver now checked is warned about.
  void ToggleCheck() override;
  // The warnings about this driver once it is checked: the Wyc instrument directory missing from
  // Developer Studio's include directories (while the preference wants it shown), and a C-based
  // driver in a DLL project.
  void WarnAboutChecked();

  bool NeedsWycInstrDirectory() const { return m_bWycInstrRequired; }

 protected:
  bool m_bWycInstrRequired;
  CInformationDepot* m_pDepot;
};
