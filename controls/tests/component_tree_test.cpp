// CComponentTree: the vendor list, the tree it builds from the catalogue (root order, vendors,
// marks), and the checks the user makes with the sandbox's pointer and keys, with the questions
// and warnings they bring, answered by the scripted user.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ControlsResource.h"
#include "SablewingPreferences.h"
#include "component/ComponentTree.h"
#include "component/ComponentTreeNodes.h"
#include "component_catalogue.h"
#include "sandbox/comctl32.h"
#include "sandbox/dialog_user.h"
#include "tree_fixture.h"

namespace {

using component_testing::kCore;
using component_testing::kDrivers;
using component_testing::Row;

constexpr char kQuestion[] =
    "You have deselected a component that other components in your project require.\n\nAre you sure you want to "
    "deselect this component and all the components that require it?";

constexpr char kCBasedDriverMessage[] =
    "You have selected a C-based instrument driver for use in a\nDLL project. You must include TqForceMFCLink.h at "
    "the top of\nthis instrument driver's source file(s) to prevent link errors.\n\nFor more information, refer to "
    "\"Why do I get linker errors when\ncompiling a project that uses C-based instrument drivers?\" in\nthe "
    "Sablewing FAQ.";

// The tree with its vendor maps in view.
class CTestComponentTree : public CComponentTree {
 public:
  using CComponentTree::m_vendorAddresses;
  using CComponentTree::m_vendorPrefixes;
};

std::map<std::string, std::string> Plain(const std::map<CString, CString>& map) {
  std::map<std::string, std::string> plain;
  for (const auto& [key, value] : map) plain[static_cast<LPCTSTR>(key)] = static_cast<LPCTSTR>(value);
  return plain;
}

class ComponentTree : public testing::Test {
 public:  // the rows of the tables act through the fixture
  static constexpr int kTreeId = 1020;

  void SetUp() override {
    ASSERT_EQ(::OleInitialize(NULL), S_OK);
    sandbox::SetClock(1'000'000);
    ::InitCommonControls();
    host_ = component_testing::MapProductDrive();
    ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 600,
                                 NULL, NULL));
    const HWND control = ::CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 576, parent_.m_hWnd,
                                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTreeId)), NULL, NULL);
    ASSERT_NE(control, nullptr);
    tree_.SetCatalogue(&depot_);
    ASSERT_TRUE(tree_.SubclassWindow(control));
  }
  void TearDown() override {
    tree_.DestroyWindow();
    parent_.DestroyWindow();
    ::OleUninitialize();
  }

  void WriteVendorList(const std::string& text) {
    sandbox::testing::WriteHostFile(host_ + "/Sablewing/VendorList.txt", text);
  }
  void Populate(const std::vector<Row>& rows, bool dll = false) {
    component_testing::Fill(depot_, rows);
    tree_.Populate(dll);
  }

  // Every item, depth first, indented by its depth, with its mark: "Cat [2]", "  A [1]".
  std::vector<std::string> Outline(HTREEITEM first = nullptr, int depth = 0) {
    std::vector<std::string> lines;
    if (first == nullptr && depth == 0) first = tree_.CTreeCtrl::GetRootItem();
    for (HTREEITEM h = first; h != NULL; h = tree_.GetNextSiblingItem(h)) {
      const auto* node = tree_.GetSelectableNode(h);
      lines.push_back(std::string(2 * depth, ' ') + static_cast<LPCTSTR>(tree_.GetItemText(h)) + " [" +
                      std::to_string(node != nullptr ? node->GetCheckState() : -1) + "]");
      for (const std::string& line : Outline(tree_.GetChildItem(h), depth + 1)) lines.push_back(line);
    }
    return lines;
  }
  // The items a user sees, in display order.
  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (HTREEITEM h = tree_.CTreeCtrl::GetRootItem(); h != NULL; h = tree_.GetNextVisibleItem(h))
      texts.push_back(static_cast<LPCTSTR>(tree_.GetItemText(h)));
    return texts;
  }
  std::string Selected() { return component_testing::SelectedNames(depot_); }

  // The user's hands on the tree.
  void Click(const std::string& text) {
    sandbox::AdvanceClock(1000);  // never the second half of a double-click
    sandbox::ClickTreeItemImage(parent_.m_hWnd, kTreeId, text);
  }
  void Space(const std::string& text) { sandbox::PressSpaceOnTreeItem(parent_.m_hWnd, kTreeId, text); }
  // Every item with children expanded, as a user would open them all.
  void ExpandAll() {
    for (HTREEITEM h = tree_.CTreeCtrl::GetRootItem(); h != NULL; h = tree_.GetNextVisibleItem(h))
      if (tree_.GetChildItem(h) != NULL) tree_.Expand(h, TVE_EXPAND);
  }
  // The kinds and texts of the modals shown since the last call.
  std::vector<std::string> TakeModals() {
    std::vector<std::string> shown;
    for (const sandbox::Modal& modal : sandbox::Modals())
      shown.push_back(modal.kind + " " + modal.text);
    sandbox::ClearModals();
    return shown;
  }

  std::string host_;
  tree_testing::CParentWnd parent_;
  CTestComponentTree tree_;
  CInformationDepot depot_;
};

// --- The vendor list --------------------------------------------------------------------------

TEST_F(ComponentTree, ReadsTheVendorList) {
  using Map = std::map<std::string, std::string>;
  const struct {
    const char* name;
    const char* text;  // nullptr: no file
    Map prefixes, addresses;
  } cases[] = {
      {.name = "CR LF, spaces after the keywords",
       .text = "Vendors\r\nManufacturer:   Acme Tools\r\nPrefix:  AC\r\nURL: http://acme.example/\r\n",
       .prefixes = {{"ac", "Acme Tools"}},
       .addresses = {{"acme tools", "http://acme.example/"}}},
      {.name = "keywords inside other text",
       .text = "xxManufacturer:Acme yy\nsee OldPrefix:ac\nhome page at URL:u1 now\n",
       .prefixes = {{"ac", "Acme yy"}},
       .addresses = {{"acme yy", "u1 now"}}},
      {.name = "keywords are matched with their case",
       .text = "manufacturer: Acme\nPREFIX: ac\nurl: u\n",
       .prefixes = {},
       .addresses = {}},
      {.name = "a record without Prefix: takes the next record's prefix and address",
       .text = "Manufacturer: Old Name\nManufacturer: New Name\nPrefix: nn\nURL: u2\n",
       .prefixes = {{"nn", "New Name"}},
       .addresses = {{"old name", "u2"}, {"new name", "u2"}}},
      {.name = "URL: is sought after the prefix line",
       .text = "Manufacturer: A URL: u0\nPrefix: aa URL: u1\nURL: u2\n",
       .prefixes = {{"aa url: u1", "A URL: u0"}},
       .addresses = {{"a url: u0", "u2"}}},
      {.name = "no Prefix: and no URL: after the last record",
       .text = "Manufacturer: A\nPrefix: aa\nManufacturer: B\n",
       .prefixes = {{"aa", "A"}},
       .addresses = {{"a", ""}, {"b", ""}}},
      {.name = "a later record replaces an earlier one, whatever the case",
       .text = "Manufacturer: Acme\nPrefix: AC\nURL: u1\nManufacturer: ACME\nPrefix: ac\nURL: u2\n",
       .prefixes = {{"ac", "ACME"}},
       .addresses = {{"acme", "u2"}}},
      {.name = "no file", .text = nullptr, .prefixes = {}, .addresses = {}},
  };
  depot_.GetComponents().clear();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(host_ + "/Sablewing/VendorList.txt");
    if (c.text != nullptr) WriteVendorList(c.text);
    tree_.ReadVendorList();
    EXPECT_EQ(Plain(tree_.m_vendorPrefixes), c.prefixes);
    EXPECT_EQ(Plain(tree_.m_vendorAddresses), c.addresses);
  }
}

TEST_F(ComponentTree, DriversGoUnderTheVendorTheirPrefixNames) {
  WriteVendorList("Manufacturer: Tallowquay\r\nPrefix: tq\r\nURL: http://tq.example/\r\n"
                  "Manufacturer: Hollingwood\r\nPrefix: HGC\r\nURL: http://hg.example/\r\n");
  Populate({{.name = "hgrelay", .category = kDrivers},
            {.name = "TQDMM", .category = kDrivers},
            {.name = "hgCounter", .category = kDrivers},
            {.name = "x", .category = kDrivers},
            {.name = "tqpower", .category = kDrivers},
            {.name = "TqCore"}});
  EXPECT_EQ(Outline(), (std::vector<std::string>{"Core Components [0]", "  TqCore [0]", "Legacy C and IVI C Drivers [0]",
                                                 "  Other [0]", "    hgrelay [0]", "    x [0]", "  Tallowquay [0]",
                                                 "    TQDMM [0]", "    tqpower [0]", "  Hollingwood [0]",
                                                 "    hgCounter [0]"}));
  HTREEITEM drivers = tree_.GetNextSiblingItem(tree_.CTreeCtrl::GetRootItem());
  std::vector<std::string> addresses;
  for (HTREEITEM h = tree_.GetChildItem(drivers); h != NULL; h = tree_.GetNextSiblingItem(h))
    addresses.push_back(static_cast<LPCTSTR>(dynamic_cast<CVendorNode*>(tree_.GetNode(h))->GetAddress()));
  EXPECT_EQ(addresses, (std::vector<std::string>{"", "http://tq.example/", "http://hg.example/"}));
}

TEST_F(ComponentTree, CategoriesStandInTheirOrderAndOnlyCoreComponentsIsExpanded) {
  std::vector<Row> rows;
  for (const char* category :
       {"beta", kDrivers, "Alpha", "Hardware APIs", "Zeta", "alpha", kCore, "beta"})
    rows.push_back({.name = std::string("in ") + category, .category = category});
  rows.push_back({.name = "hidden", .category = "Hidden only", .hidden = true});
  Populate(rows);
  EXPECT_EQ(Shown(), (std::vector<std::string>{kCore, "in Core Components", "Hardware APIs", "Alpha", "Zeta", "alpha",
                                               "beta", kDrivers}));
  EXPECT_EQ(tree_.GetItemState(tree_.CTreeCtrl::GetRootItem(), TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));
}

// --- The sample installation ------------------------------------------------------------------

TEST_F(ComponentTree, ShowsTheSampleInstallation) {
  component_testing::MapSample();
  depot_.LoadComponents(NULL);
  // Selected components whose dependencies were shown before them: TqControls (same category,
  // earlier) and TqAnalysis (an earlier category) must show what propagation left.
  for (const char* name : {"TqGraph", "TqDaq"}) {
    CComponent* record = depot_.FindComponent(name);
    ASSERT_NE(record, nullptr) << name;
    record->Selected = true;
  }
  tree_.Populate(false);
  EXPECT_EQ(Selected(), "TqAnalysis TqControls TqCore TqCoreRuntime TqDaq TqGraph");
  EXPECT_EQ(Outline(), (std::vector<std::string>{
                           "Core Components [2]",
                           "  TqCore [1]",
                           "  TqUtility [0]",
                           "Hardware APIs [2]",
                           "  TqDaq [1]",
                           "  TqGpib [0]",
                           "  TqSerial [0]",
                           "  TqVisa [0]",
                           "Analysis [1]",
                           "  TqAnalysis [1]",
                           "Networking [0]",
                           "  TqDataSocket [0]",
                           "User Interface [2]",
                           "  TqControls [1]",
                           "  TqGraph [1]",
                           "  TqKnobs [0]",
                           "Legacy C and IVI C Drivers [0]",
                           "  Tallowquay Instruments [0]",
                           "    tqdmm34 [0]",
                           "    tqfgen20 [0]",
                           "    tqpower [0]",
                           "    tqswitch [0]",
                           "    tqacpwr [0]",
                           "  Hollingwood Counting Systems [0]",
                           "    hgcounter [0]",
                           "  Other [0]",
                           "    hgrelay [0]",
                           "    wycosc [0]",
                       }));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Core Components", "TqCore", "TqUtility", "Hardware APIs", "Analysis",
                                               "Networking", "User Interface", kDrivers}));
}

// --- Checks by the user -----------------------------------------------------------------------

// A visible chain A -> B -> hidden H, and C -> B, C -> hidden J.
std::vector<Row> Chain() {
  return {{.name = "A", .needs = {"B"}},
          {.name = "B", .needs = {"H"}},
          {.name = "H", .hidden = true},
          {.name = "C", .needs = {"B", "J"}},
          {.name = "J", .hidden = true}};
}

TEST_F(ComponentTree, ChecksFollowTheDependenciesAndUncheckingANeededOneAsks) {
  sandbox::SetStrict(true);
  Populate(Chain());
  const struct {
    const char* name;
    std::function<void(ComponentTree&)> act;
    std::string selected;
    std::vector<std::string> outline;
    std::vector<std::string> modals = {};
  } steps[] = {
      {.name = "checking A checks B and selects H",
       .act = [](ComponentTree& t) { t.Click("A"); },
       .selected = "A B H",
       .outline = {"Core Components [2]", "  A [1]", "  B [1]", "  C [0]"}},
      {.name = "checking C by the space bar selects J",
       .act = [](ComponentTree& t) { t.Space("C"); },
       .selected = "A B H C J",
       .outline = {"Core Components [1]", "  A [1]", "  B [1]", "  C [1]"}},
      {.name = "unchecking B, answered No, keeps everything",
       .act =
           [](ComponentTree& t) {
             sandbox::QueueAnswer("MessageBox", {IDNO});
             t.Click("B");
           },
       .selected = "A B H C J",
       .outline = {"Core Components [1]", "  A [1]", "  B [1]", "  C [1]"},
       .modals = {std::string("MessageBox ") + kQuestion}},
      {.name = "answered Yes, B goes with A and C, and the hidden ones they alone needed",
       .act =
           [](ComponentTree& t) {
             sandbox::QueueAnswer("MessageBox", {IDYES});
             t.Space("B");
           },
       .selected = "",
       .outline = {"Core Components [0]", "  A [0]", "  B [0]", "  C [0]"},
       .modals = {std::string("MessageBox ") + kQuestion}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.act(*this);
    EXPECT_EQ(Selected(), step.selected);
    EXPECT_EQ(Outline(), step.outline);
    EXPECT_EQ(TakeModals(), step.modals);
  }
}

TEST_F(ComponentTree, TheQuestionIsTheComponentTreesOwn) {
  Populate({{.name = "A", .needs = {"B"}, .selected = true}, {.name = "B"}});
  sandbox::QueueAnswer("MessageBox", {IDNO});
  Click("B");
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].text, kQuestion);
  EXPECT_EQ(modals[0].caption, "Sablewing");
  EXPECT_EQ(modals[0].style & 0xF, static_cast<unsigned>(MB_YESNO));
}

TEST_F(ComponentTree, UncheckingACategoryThatOthersNeedAsksOnce) {
  sandbox::SetStrict(true);
  const std::vector<Row> rows = {{.name = "B1", .needs = {"H"}, .selected = true},
                                 {.name = "B2", .selected = true},
                                 {.name = "H", .hidden = true},
                                 {.name = "U", .category = "UI", .needs = {"B2", "J"}, .selected = true},
                                 {.name = "V", .category = "UI", .selected = true},
                                 {.name = "J", .hidden = true}};
  const struct {
    const char* name;
    int answer;
    std::string selected;
    std::vector<std::string> outline;
  } cases[] = {
      {.name = "No changes nothing",
       .answer = IDNO,
       .selected = "B1 B2 H U V J",
       .outline = {"Core Components [1]", "  B1 [1]", "  B2 [1]", "UI [1]", "  U [1]", "  V [1]"}},
      {.name = "Yes unchecks the category, what needs it, and what only they needed",
       .answer = IDYES,
       .selected = "V",
       .outline = {"Core Components [0]", "  B1 [0]", "  B2 [0]", "UI [2]", "  U [0]", "  V [1]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Populate(rows);
    EXPECT_EQ(Selected(), "B1 B2 H U V J");
    sandbox::QueueAnswer("MessageBox", {c.answer});
    Click(kCore);
    EXPECT_EQ(Selected(), c.selected);
    EXPECT_EQ(Outline(), c.outline);
    EXPECT_EQ(TakeModals().size(), 1u) << "one question for the whole category";
  }
  // Nothing below needed elsewhere: the category toggles without a question, both ways.
  Populate({{.name = "B1", .needs = {"H"}}, {.name = "H", .hidden = true}, {.name = "B2"}});
  Click(kCore);
  EXPECT_EQ(Selected(), "B1 H B2");
  Click(kCore);
  EXPECT_EQ(Selected(), "");
  EXPECT_EQ(Outline(), (std::vector<std::string>{"Core Components [0]", "  B1 [0]", "  B2 [0]"}));
  EXPECT_TRUE(TakeModals().empty());
}

// Two drivers that need the Wyc instrument directory (one C-based), one C-based driver, one with
// an import library.
std::vector<Row> Drivers() {
  return {{.name = "tqwyc", .category = kDrivers, .wyc = true},
          {.name = "tqwycc", .category = kDrivers, .wyc = true, .importLibrary = false},
          {.name = "tqcbased", .category = kDrivers, .importLibrary = false},
          {.name = "tqlib", .category = kDrivers}};
}

TEST_F(ComponentTree, CheckedDriversAreWarnedAbout) {
  sandbox::SetStrict(true);
  WriteVendorList("Manufacturer: Tallowquay\nPrefix: tq\n");
  const std::string wycDialog = "Dialog #5106";
  const std::string dllBox = std::string("MessageBox ") + kCBasedDriverMessage;
  const struct {
    const char* name;
    bool warning;      // the preference
    bool dll;
    bool includeDirs;  // the Wyc instrument directory is among the include directories
    const char* item;
    std::vector<std::string> modals = {};
  } cases[] = {
      {.name = "a Wyc driver", .warning = true, .dll = false, .includeDirs = false, .item = "tqwyc",
       .modals = {wycDialog}},
      {.name = "a Wyc driver, preference off", .warning = false, .dll = false, .includeDirs = false,
       .item = "tqwyc", .modals = {}},
      {.name = "a Wyc driver, directory included", .warning = true, .dll = false, .includeDirs = true,
       .item = "tqwyc", .modals = {}},
      {.name = "a C-based driver, no DLL", .warning = true, .dll = false, .includeDirs = false,
       .item = "tqcbased", .modals = {}},
      {.name = "a C-based driver in a DLL", .warning = true, .dll = true, .includeDirs = false,
       .item = "tqcbased", .modals = {dllBox}},
      {.name = "a driver with a library in a DLL", .warning = true, .dll = true, .includeDirs = false,
       .item = "tqlib", .modals = {}},
      {.name = "a C-based Wyc driver in a DLL, once each", .warning = true, .dll = true, .includeDirs = false,
       .item = "tqwycc", .modals = {wycDialog, dllBox}},
      {.name = "the vendor: each driver below", .warning = true, .dll = true, .includeDirs = false,
       .item = "Tallowquay", .modals = {wycDialog, wycDialog, dllBox, dllBox}},
      {.name = "the category, preference off", .warning = false, .dll = true, .includeDirs = false,
       .item = kDrivers, .modals = {dllBox, dllBox}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CSablewingPreferences::SetDontDisplayWycInstrWarning(c.warning);
    if (c.includeDirs)
      sandbox::RegistrySetString(component_testing::kIncludeDirsKey, "Include Dirs", "C:\\VC\\include;c:\\wyc\\INSTR");
    else
      sandbox::RegistryDeleteKey(component_testing::kIncludeDirsKey);
    Populate(Drivers(), c.dll);
    ExpandAll();
    for (size_t i = 0; i < c.modals.size(); ++i)
      sandbox::QueueAnswer(c.modals[i] == wycDialog ? "Dialog" : "MessageBox", {IDOK});
    Click(c.item);
    EXPECT_EQ(TakeModals(), c.modals);
    // Unchecking warns about nothing.
    Click(c.item);
    EXPECT_EQ(TakeModals(), std::vector<std::string>{});
    EXPECT_EQ(Selected(), "");
  }
}

TEST_F(ComponentTree, DontShowAgainEndsTheWycWarning) {
  sandbox::SetStrict(true);
  Populate(Drivers());
  ExpandAll();
  std::string path;
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDOK, "", [&](void* dialog) {
                         path = sandbox::ControlText(dialog, IDC_WYC_INSTR_PATH);
                         EXPECT_EQ(sandbox::CheckState(dialog, IDC_WYC_DONT_SHOW_AGAIN), BST_UNCHECKED);
                         sandbox::SetCheck(dialog, IDC_WYC_DONT_SHOW_AGAIN, BST_CHECKED);
                       }));
  Click("Other");  // both Wyc drivers are checked: the second is not warned about
  EXPECT_EQ(path, "C:\\Wyc\\instr");
  EXPECT_EQ(TakeModals(), (std::vector<std::string>{"Dialog #5106"}));
  EXPECT_FALSE(CSablewingPreferences::GetDontDisplayWycInstrWarning());
  // Closed without OK, the dialog stores nothing.
  CSablewingPreferences::SetDontDisplayWycInstrWarning(true);
  Click("Other");
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDCANCEL, "", [](void* dialog) {
                         sandbox::SetCheck(dialog, IDC_WYC_DONT_SHOW_AGAIN, BST_CHECKED);
                       }));
  Click("tqwyc");
  EXPECT_EQ(TakeModals(), (std::vector<std::string>{"Dialog #5106"}));
  EXPECT_TRUE(CSablewingPreferences::GetDontDisplayWycInstrWarning());
}

TEST_F(ComponentTree, UpdateCheckStatesChangesMarksOnly) {
  Populate({{.name = "A", .needs = {"B"}}, {.name = "B"}, {.name = "C"}});
  for (CComponent& record : depot_.GetComponents()) record.Selected = record.ComponentName == "A";
  tree_.UpdateCheckStates();
  EXPECT_EQ(Selected(), "A") << "B is not selected for A's mark";
  EXPECT_EQ(Outline(), (std::vector<std::string>{"Core Components [2]", "  A [1]", "  B [0]", "  C [0]"}));
}

TEST_F(ComponentTree, AComponentsTipIsItsRecordsOwnDescription) {
  Populate({{.name = "A", .description = "Acquires and shows"}});
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&parent_));
  auto* node = dynamic_cast<CSelectableObjectNode*>(tree_.FindNodeByData(
      reinterpret_cast<DWORD_PTR>(&depot_.GetComponents()[0])));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->GetToolTipText(tip), static_cast<LPCTSTR>(depot_.GetComponents()[0].ComponentDescription));
  EXPECT_EQ(sandbox::ToolTipOf(tip.m_hWnd).maxWidth, 150);
  tip.DestroyWindow();
}

}  // namespace
