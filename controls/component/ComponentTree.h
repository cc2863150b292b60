// The component catalogue as a checkable tree: one node per category at the root, the category's
// components below it, and in the instrument-driver category the drivers under their vendors,
// whose names come from the vendor list beside the product. Checking a node selects the
// components behind it and what they need; unchecking one that others need asks first.
#pragma once

#include <map>
#include <vector>

#include "tree/TqSelectableTreeCtrl.h"

class CComponent;
class CInformationDepot;
class CCategoryNode;
class CVendorNode;
class CInstrumentDriverNode;

class CComponentTree : public CtqSelectableTreeCtrl {
 public:
  CComponentTree();
  ~CComponentTree() override;

  // The depot whose catalogue the tree shows and whose paths it asks; set before Populate, not
  // owned.
  void SetCatalogue(CInformationDepot* pDepot) { m_pDepot = pDepot; }
  CInformationDepot* GetCatalogue() const { return m_pDepot; }
  bool IsDllProject() const { return m_bDllProject; }

  // Reads the vendor list, builds the nodes, sorts the categories and shows every component's
  // mark as its record's Selected flag says.
  void Populate(bool bDllProject);
  // The vendor list beside the product: manufacturer names by driver-name prefix, and their web
  // addresses. A missing or unreadable file names no vendor.
  void ReadVendorList();
  // Every node made again from the catalogue (components that are not hidden).
  void BuildTree();
  // The category's components as its children, in catalogue order; drivers under their vendors.
  void FillCategory(CCategoryNode* pCategory);
  // The vendor node of the driver under the category: the one made already for its manufacturer,
  // or a new one ("Other" for a driver no prefix names).
  CVendorNode* FindOrCreateVendorNode(HTREEITEM hCategory, const CComponent& driver,
                                      std::map<CString, CVendorNode*>& vendors);
  // The root's sort order: "Core Components", "Hardware APIs", the rest by their bytes, the
  // instrument drivers last. lParamSort is the tree.
  static int CALLBACK CompareCategories(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

  // A toggle by the user (a click on the mark, the space bar): a category whose components others
  // need asks once; afterwards the drivers now checked below the item are warned about, and
  // every mark follows the flags.
  void ToggleCheck(HTREEITEM hItem) override;
  // Every component node's mark from its record's Selected flag; no flag changes.
  void UpdateCheckStates();
  // What a component node's new state means for its record: unchecking one that a selected
  // component needs asks first (No keeps it, so the state becomes 1); the flag takes the result
  // and what the component needs follows it. Returns the resulting state.
  int ApplySelection(CComponent* pComponent, int nState);

  static const LPCTSTR kCoreCategory;
  static const LPCTSTR kHardwareCategory;
  static const LPCTSTR kDriverCategory;

  // The component records of the nodes from hFirst on and below them, each item's children
  // before the item, then its next sibling.
  void CollectComponents(HTREEITEM hFirst, std::vector<CComponent*>& components);

 protected:
  // Deselects the component's dependants, and each of them lets go of the hidden components it
  // alone needed.
  void DeselectDependants(CComponent* pComponent);
  // The checked driver nodes from hFirst on and below them, in the same order.
  void CollectCheckedDrivers(HTREEITEM hFirst, std::vector<CInstrumentDriverNode*>& drivers);

  // Keys lower-cased: the list's prefixes and manufacturers match without regard to case.
  std::map<CString, CString> m_vendorPrefixes;   // prefix -> manufacturer
  std::map<CString, CString> m_vendorAddresses;  // manufacturer -> web address
  CInformationDepot* m_pDepot;
  bool m_bDllProject;
};
