// CComponentTree: the vendor list, building the tree from the catalogue, and the check handling
// that keeps the catalogue's selection complete.
#include "component/ComponentTree.h"

#include <algorithm>
#include <set>

#include "DependancyUpdater.h"
#include "InformationDepot.h"
#include "component/ComponentTreeNodes.h"

const LPCTSTR CComponentTree::kCoreCategory = _T("Core Components");
const LPCTSTR CComponentTree::kHardwareCategory = _T("Hardware APIs");
const LPCTSTR CComponentTree::kDriverCategory = _T("Legacy C and IVI C Drivers");

namespace {

const LPCTSTR kCaption = _T("Sablewing");
const LPCTSTR kDeselectQuestion =
    _T("You have deselected a component that other components in your project require.\n\nAre you sure you want ")
    _T("to deselect this component and all the components that require it?");

// The vendor list's text from `start` to the end of its line (without the line end), with the
// spaces before it skipped; `lineEnd` is where the line ends.
CString RestOfLine(const CString& text, int start, int& lineEnd) {
  lineEnd = text.Find(_T('\n'), start);
  if (lineEnd < 0) lineEnd = text.GetLength();
  while (start < lineEnd && text[start] == _T(' ')) ++start;
  return text.Mid(start, lineEnd - start);
}

CString Lower(CString text) {
  text.MakeLower();
  return text;
}

// The categories' places at the root: ranked ones first, the instrument drivers last.
int CategoryPlace(const CString& name) {
  if (name == CComponentTree::kCoreCategory) return 0;
  if (name == CComponentTree::kHardwareCategory) return 1;
  if (name == CComponentTree::kDriverCategory) return 3;
  return 2;
}

// Every record that needs the component, directly or indirectly, each once, in the order the
// dependency walk meets them.
void CollectDependants(const CComponent* pComponent, std::vector<CComponent*>& dependants,
                       std::set<const CComponent*>& met) {
  for (CComponent* dependant : pComponent->Dependants) {
    if (!met.insert(dependant).second) continue;
    dependants.push_back(dependant);
    CollectDependants(dependant, dependants, met);
  }
}

}  // namespace

CComponentTree::CComponentTree() : m_pDepot(NULL), m_bDllProject(false) {}

CComponentTree::~CComponentTree() {
  m_vendorPrefixes.clear();
  m_vendorAddresses.clear();
}

void CComponentTree::Populate(bool bDllProject) {
  m_bDllProject = bDllProject;
  ReadVendorList();
  BuildTree();
  TVSORTCB sort = {TVI_ROOT, &CComponentTree::CompareCategories, reinterpret_cast<LPARAM>(this)};
  SortChildrenCB(&sort);
  // A dependency whose node was made before the component that selected it still shows the mark
  // its record had then.
  UpdateCheckStates();
}

void CComponentTree::ReadVendorList() {
  m_vendorPrefixes.clear();
  m_vendorAddresses.clear();
  CString text;
  try {
    TQ::ReadTextFile((m_pDepot->GetProductPath() + _T("\\VendorList.txt")).GetString(), text);
  } catch (CException* e) {
    e->Delete();
    text.Empty();  // an unreadable list names no vendor
  }
  text.Replace(_T("\r\n"), _T("\n"));

  int search = 0;
  for (;;) {
    const int manufacturer = text.Find(_T("Manufacturer:"), search);
    if (manufacturer < 0) break;
    int nameEnd = 0;
    const CString name = RestOfLine(text, manufacturer + 13, nameEnd);
    CString address;
    const int prefix = text.Find(_T("Prefix:"), nameEnd);
    if (prefix >= 0) {
      int prefixEnd = 0;
      m_vendorPrefixes[Lower(RestOfLine(text, prefix + 7, prefixEnd))] = name;
      const int url = text.Find(_T("URL:"), prefixEnd);
      if (url >= 0) {
        int urlEnd = 0;
        address = RestOfLine(text, url + 4, urlEnd);
      }
    }
    m_vendorAddresses[Lower(name)] = address;
    search = nameEnd;
  }
}

void CComponentTree::BuildTree() {
  DeleteAllNodes();
  std::vector<CString> categories;
  for (const CComponent& component : m_pDepot->GetComponents()) {
    if (component.Hidden) continue;
    if (std::find(categories.begin(), categories.end(), component.Category) == categories.end())
      categories.push_back(component.Category);
  }
  for (const CString& category : categories) {
    auto* node = new CCategoryNode(this, category);
    if (!InsertTopLevelNode(node)) {
      delete node;
      continue;
    }
    FillCategory(node);
    if (category == kCoreCategory) Expand(node->GetHandle(), TVE_EXPAND);
  }
}

void CComponentTree::FillCategory(CCategoryNode* pCategory) {
  const HTREEITEM hCategory = pCategory->GetHandle();
  const bool hadState = GetItemState(hCategory, static_cast<UINT>(-1)) != 0;
  m_nodeMap.RemoveChildren(hCategory);
  while (const HTREEITEM child = GetChildItem(hCategory)) DeleteItem(child);

  const CString category = pCategory->GetText();
  const bool drivers = category == kDriverCategory;
  std::map<CString, CVendorNode*> vendors;
  for (CComponent& component : m_pDepot->GetComponents()) {
    if (component.Hidden || component.Category != category) continue;
    CSelectableObjectNode* node = NULL;
    CtqTreeItem* parent = pCategory;
    if (drivers) {
      CVendorNode* vendor = FindOrCreateVendorNode(hCategory, component, vendors);
      if (vendor == NULL) continue;
      parent = vendor;
      node = new CInstrumentDriverNode(this, &component, m_pDepot);
    } else {
      node = new CSelectableObjectNode(this, &component);
    }
    if (!InsertNode(node, *parent, false)) {
      delete node;
      continue;
    }
    // As a user's check: what the selected component needs is selected too.
    if (component.Selected) node->SetCheckState(CtqSelectableTreeNode::kChecked);
  }
  if (!hadState) Expand(hCategory, TVE_COLLAPSE);
  EnsureVisible(hCategory);
}

CVendorNode* CComponentTree::FindOrCreateVendorNode(HTREEITEM hCategory, const CComponent& driver,
                                                    std::map<CString, CVendorNode*>& vendors) {
  CString manufacturer = _T("Other");
  CString address;
  auto found = m_vendorPrefixes.find(Lower(driver.ComponentName.Left(2)));
  if (found == m_vendorPrefixes.end()) found = m_vendorPrefixes.find(Lower(driver.ComponentName.Left(3)));
  if (found != m_vendorPrefixes.end()) {
    manufacturer = found->second;
    auto known = m_vendorAddresses.find(Lower(manufacturer));
    if (known != m_vendorAddresses.end()) address = known->second;
  }
  auto made = vendors.find(manufacturer);
  if (made != vendors.end()) return made->second;

  auto* vendor = new CVendorNode(this, manufacturer, address);
  CtqTreeItem category(this, hCategory);
  if (!InsertNode(vendor, category, false)) {
    delete vendor;
    return NULL;
  }
  vendors[manufacturer] = vendor;
  EnsureVisible(hCategory);
  return vendor;
}

int CALLBACK CComponentTree::CompareCategories(LPARAM lParam1, LPARAM lParam2, LPARAM) {
  const CString first = reinterpret_cast<CtqTreeItem*>(lParam1)->GetText();
  const CString second = reinterpret_cast<CtqTreeItem*>(lParam2)->GetText();
  const int firstPlace = CategoryPlace(first), secondPlace = CategoryPlace(second);
  if (firstPlace != secondPlace) return firstPlace < secondPlace ? -1 : 1;
  if (firstPlace != 2) return 0;
  const int order = strcmp(first, second);  // unsigned bytes: upper case before lower case
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void CComponentTree::CollectComponents(HTREEITEM hFirst, std::vector<CComponent*>& components) {
  for (HTREEITEM hItem = hFirst; hItem != NULL; hItem = GetNextSiblingItem(hItem)) {
    if (const HTREEITEM child = GetChildItem(hItem)) CollectComponents(child, components);
    if (auto* node = dynamic_cast<CSelectableObjectNode*>(GetNode(hItem))) components.push_back(node->GetComponent());
  }
}

void CComponentTree::DeselectDependants(CComponent* pComponent) {
  std::vector<CComponent*> dependants;
  std::set<const CComponent*> met;
  CollectDependants(pComponent, dependants, met);
  std::vector<CComponent*> cleared;
  for (CComponent* dependant : dependants)
    if (dependant->Selected) cleared.push_back(dependant);
  CDependancyUpdater updater;
  updater.DeselectDependants(pComponent);
  // Each dependant that went lets go of the hidden components that it alone needed, as it would
  // have had the user unchecked it.
  for (CComponent* dependant : cleared) updater.PropagateSelection(dependant);
}

int CComponentTree::ApplySelection(CComponent* pComponent, int nState) {
  CDependancyUpdater updater;
  if (nState == CtqSelectableTreeNode::kUnchecked && updater.HasSelectedDependant(pComponent)) {
    if (MessageBox(kDeselectQuestion, kCaption, MB_YESNO) == IDYES)
      DeselectDependants(pComponent);
    else
      nState = CtqSelectableTreeNode::kChecked;  // kept: what needs it stays complete
  }
  pComponent->Selected = nState == CtqSelectableTreeNode::kChecked;
  updater.PropagateSelection(pComponent);
  return nState;
}

void CComponentTree::ToggleCheck(HTREEITEM hItem) {
  auto* category = dynamic_cast<CCategoryNode*>(GetNode(hItem));
  if (category != NULL && category->GetCheckState() != CtqSelectableTreeNode::kUnchecked) {
    const HTREEITEM child = GetChildItem(hItem);
    if (child != NULL) {
      std::vector<CComponent*> components;
      CollectComponents(child, components);
      CDependancyUpdater updater;
      const bool needed = std::any_of(components.begin(), components.end(),
                                      [&](CComponent* c) { return updater.HasSelectedDependant(c); });
      if (!needed) {
        CtqSelectableTreeCtrl::ToggleCheck(hItem);
      } else if (MessageBox(kDeselectQuestion, kCaption, MB_YESNO) == IDYES) {
        for (CComponent* component : components) {
          component->Selected = false;
          DeselectDependants(component);
          updater.PropagateSelection(component);
        }
      }
    }
  } else {
    CtqSelectableTreeCtrl::ToggleCheck(hItem);
  }

  // The drivers now checked below the item; a driver toggled by itself warned in its own toggle.
  if (GetSelectableNode(hItem) != NULL) {
    std::vector<CInstrumentDriverNode*> drivers;
    CollectCheckedDrivers(GetChildItem(hItem), drivers);
    for (CInstrumentDriverNode* driver : drivers) driver->WarnAboutChecked();
  }
  UpdateCheckStates();
}

void CComponentTree::CollectCheckedDrivers(HTREEITEM hFirst, std::vector<CInstrumentDriverNode*>& drivers) {
  for (HTREEITEM hItem = hFirst; hItem != NULL; hItem = GetNextSiblingItem(hItem)) {
    if (const HTREEITEM child = GetChildItem(hItem)) CollectCheckedDrivers(child, drivers);
    auto* driver = dynamic_cast<CInstrumentDriverNode*>(GetNode(hItem));
    if (driver != NULL && driver->GetCheckState() == CtqSelectableTreeNode::kChecked) drivers.push_back(driver);
  }
}

void CComponentTree::UpdateCheckStates() {
  for (CComponent& component : m_pDepot->GetComponents()) {
    auto* node = dynamic_cast<CSelectableObjectNode*>(FindNodeByData(reinterpret_cast<DWORD_PTR>(&component)));
    if (node != NULL)
      node->CtqSelectableTreeNode::SetCheckState(component.Selected ? CtqSelectableTreeNode::kChecked
                                                                    : CtqSelectableTreeNode::kUnchecked);
  }
}
