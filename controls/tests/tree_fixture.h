// What the tree-control tests share: a parent window that records the notifications it is sent
// (before they are reflected to the tree), nodes and trees that record what the control asks of
// them, and a fixture with the tree as the parent's child at the screen's corner.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resource.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_data_object.h"
#include "sandbox/test_notifications.h"
#include "tree/TqSelectableTreeCtrl.h"
#include "tree/TqTreeCtrl.h"

namespace tree_testing {

// The parent: records each notification's name (the focus ones and TVN_KEYDOWN aside) and may
// veto one by code before the tree sees it.
class CParentWnd : public CWnd {
 public:
  std::vector<std::string> m_told;
  std::map<UINT, LRESULT> m_vetoes;

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != NM_SETFOCUS && header->code != NM_KILLFOCUS && header->code != TVN_KEYDOWN)
      m_told.push_back(sandbox::testing::NotificationName(header->code));
    auto veto = m_vetoes.find(header->code);
    if (veto != m_vetoes.end()) {
      *pResult = veto->second;
      return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
  }
  std::vector<std::string> Take() {
    std::vector<std::string> told;
    told.swap(m_told);
    return told;
  }
};

// What nodes record, process-wide, for the test that runs.
struct NodeLog {
  std::vector<std::string> commands;  // "<node text> <id>"
  int alive = 0;                      // nodes made and not yet deleted
};
inline NodeLog& Nodes() {
  static NodeLog log;
  return log;
}

// A node whose answers the test sets.
template <class Base>
class CTestNodeT : public Base {
 public:
  template <class Tree>
  CTestNodeT(Tree* pTree, LPCTSTR lpszText, DWORD_PTR dwData) : Base(pTree, lpszText, dwData), m_name(lpszText) {
    ++Nodes().alive;
  }
  ~CTestNodeT() override { --Nodes().alive; }

  void QueryDropEffect(IDataObject*, DWORD, DWORD* pdwEffect) override { *pdwEffect = m_dropEffect; }
  bool OnDoubleClick() override { return m_doubleClickExpands; }
  void OnContextMenuCommand(UINT nID) override { Nodes().commands.push_back(m_name + " " + std::to_string(nID)); }
  void OnUpdateCommandUI(CCmdUI* pCmdUI) override {
    if (pCmdUI->m_nID == m_enabledCommand)
      pCmdUI->Enable(TRUE);
    else
      Base::OnUpdateCommandUI(pCmdUI);
  }
  bool HasContextMenu() override { return m_hasMenu; }
  UINT GetContextMenuId() override { return m_menuId; }
  LPCTSTR GetToolTipText(CToolTipCtrl&) override { return m_tip.empty() ? NULL : m_tip.c_str(); }

  std::string m_name;
  DWORD m_dropEffect = DROPEFFECT_NONE;
  bool m_doubleClickExpands = true;
  bool m_hasMenu = true;
  UINT m_menuId = 0;
  UINT m_enabledCommand = 0;
  std::string m_tip;
};
using CTestNode = CTestNodeT<CtqTreeNode>;
using CCheckNode = CTestNodeT<CtqSelectableTreeNode>;

// A tree that records the item data of removed nodes, offers a counted data object for drags and
// lets the test decide on label edits.
template <class Base>
class CTestTreeT : public Base {
 public:
  using Base::m_nodeMap;
  using Base::m_toolTip;

  void OnDeleteItemData(DWORD_PTR dwData) override { m_deleted.push_back(dwData); }
  IDataObject* CreateDragDataObject() override {
    if (!m_offerData) return NULL;
    m_data.AddRef();
    return &m_data;
  }
  BOOL CanEditLabel(CtqTreeNode*) override { return m_canEdit; }
  void OnLabelEdited(CtqTreeNode* pNode, CString& strNewText) override {
    m_edited.push_back(static_cast<LPCTSTR>(strNewText));
    if (m_takeEdits) pNode->SetText(strNewText, true);
  }

  std::vector<DWORD_PTR> m_deleted;
  std::vector<std::string> m_edited;
  sandbox::testing::CountedDataObject m_data;
  bool m_offerData = true;
  BOOL m_canEdit = TRUE;
  bool m_takeEdits = false;
};
using CTestTree = CTestTreeT<CtqTreeCtrl>;
using CCheckTree = CTestTreeT<CtqSelectableTreeCtrl>;

// The thread's loop as MFC runs it: the window and its parents may take a message first.
inline void Pump() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    bool taken = false;
    for (HWND hWnd = msg.hwnd; hWnd != NULL && !taken; hWnd = ::GetParent(hWnd))
      if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd)) taken = wnd->PreTranslateMessage(&msg) != FALSE;
    if (taken) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
}

// A parent at the screen's corner (300 x 300) with the tree at its corner, 200 x 160 (ten rows of
// 16), so that screen, parent and tree coordinates agree. The tree is made by subclassing a child
// tree view, as dialogs do, unless the test asks for dynamic creation.
template <class Tree>
class TreeTest : public testing::Test {
 public:  // tables of steps act through the fixture
  static constexpr UINT kTreeId = 7;

  void SetUp() override {
    ASSERT_EQ(::OleInitialize(NULL), S_OK);
    sandbox::SetClock(1'000'000);
    Nodes() = NodeLog{};
    ::InitCommonControls();
    ASSERT_TRUE(parent_.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300,
                                 NULL, NULL));
  }
  void TearDown() override {
    if (tree_.GetSafeHwnd() != NULL) tree_.DestroyWindow();
    parent_.DestroyWindow();
    ::OleUninitialize();
  }

  void Subclass() {
    const HWND control = ::CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 160, parent_.m_hWnd,
                                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTreeId)), NULL, NULL);
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(tree_.SubclassWindow(control));
  }
  void Create() { ASSERT_TRUE(tree_.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 160), &parent_, kTreeId)); }

  template <class Node = CTestNode>
  Node* Add(const char* text, DWORD_PTR data = 0, Node* parent = nullptr) {
    auto* node = new Node(&tree_, text, data);
    CtqTreeItem root(&tree_);
    EXPECT_TRUE(tree_.InsertNode(node, parent != nullptr ? *static_cast<CtqTreeItem*>(parent) : root, false)) << text;
    return node;
  }

  std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (HTREEITEM hItem = tree_.CTreeCtrl::GetRootItem(); hItem != NULL; hItem = tree_.GetNextVisibleItem(hItem))
      texts.push_back(static_cast<LPCTSTR>(tree_.GetItemText(hItem)));
    return texts;
  }

  void ClickAt(int x, int y, sandbox::MouseButton button = sandbox::MouseButton::kLeft) {
    sandbox::MovePointer(x, y);
    sandbox::Click(button);
    Pump();
  }

  CParentWnd parent_;
  Tree tree_;
};

}  // namespace tree_testing
