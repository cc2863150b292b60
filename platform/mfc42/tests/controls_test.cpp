// MFC over controls and menus: subclassing with PreSubclassWindow, styles and fonts, reflection of
// a control's notifications to its object, the mouse and menu entries of message maps, CMenu
// and CCmdUI, CStatic, CImageList and CToolTipCtrl.
#include <afxcmn.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"
#include "sandbox/comctl32.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_canvas.h"

namespace {

constexpr UINT kLabelId = 501;
constexpr UINT kNotifyCode = 1234;
std::vector<std::string> g_seen;

// A control that takes its own notifications back from its parent.
class CReflectingLabel : public CStatic {
 public:
  int presubclassed = 0;
  bool attachedInPreSubclass = false;
  HBRUSH brush = NULL;

  void PreSubclassWindow() override {
    ++presubclassed;
    attachedInPreSubclass = CWnd::FromHandlePermanent(m_hWnd) == this;
  }
  afx_msg void OnClicked() { g_seen.push_back("label clicked"); }
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
    g_seen.push_back("label colour " + std::to_string(nCtlColor));
    pDC->SetTextColor(RGB(255, 0, 0));
    return brush;
  }
  afx_msg void OnCustom(NMHDR* header, LRESULT* result) {
    g_seen.push_back("label notify " + std::to_string(header->code));
    *result = 9;
  }
  afx_msg void OnMouseMove(UINT flags, CPoint at) {
    g_seen.push_back("move " + std::to_string(flags) + " " + std::to_string(at.x) + "," + std::to_string(at.y));
  }
  afx_msg void OnLButtonDown(UINT flags, CPoint at) {
    g_seen.push_back("down " + std::to_string(flags) + " " + std::to_string(at.x) + "," + std::to_string(at.y));
    CStatic::OnLButtonDown(flags, at);  // the static sends STN_CLICKED
  }
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hit, UINT message) {
    g_seen.push_back("cursor " + std::to_string(pWnd == this) + " " + std::to_string(hit) + " " +
                     std::to_string(message));
    return TRUE;
  }
  afx_msg void OnEnable(BOOL enable) { g_seen.push_back("enable " + std::to_string(enable)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingLabel, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_NOTIFY_REFLECT(kNotifyCode, OnCustom)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_WM_ENABLE()
END_MESSAGE_MAP()

// The parent: its own command handler for the label's id, and the menu messages.
class CParentWnd : public CWnd {
 public:
  afx_msg void OnLabel() { g_seen.push_back("parent command"); }
  afx_msg void OnInitMenuPopup(CMenu* menu, UINT index, BOOL) {
    g_seen.push_back("init popup " + std::to_string(menu->GetMenuItemCount()) + " " + std::to_string(index));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
ON_COMMAND(kLabelId, OnLabel)
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

// A menu that records the items the window hands it to draw.
class CDrawingMenu : public CMenu {
 public:
  void DrawItem(LPDRAWITEMSTRUCT dis) override { g_seen.push_back("draw " + std::to_string(dis->itemData)); }
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    g_seen.push_back("measure " + std::to_string(mis->itemData));
    mis->itemWidth = 50;
    mis->itemHeight = 10;
  }
};

class MfcControls : public testing::Test {
 protected:
  void SetUp() override {
    g_seen.clear();
    ASSERT_TRUE(parent_.CreateEx(0, NULL, "Parent", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, NULL, NULL));
    control_ = ::CreateWindowEx(0, WC_STATIC, "Label", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 80, 20, parent_,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLabelId)), NULL, NULL);
    ASSERT_NE(control_, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(parent_.m_hWnd)) parent_.DestroyWindow();
  }
  static void Pump() {
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  }

  CParentWnd parent_;
  HWND control_ = nullptr;
};

TEST_F(MfcControls, SubclassingAttachesFirstAndKeepsTheControlsOwnProcedure) {
  CReflectingLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &parent_));
  EXPECT_EQ(label.presubclassed, 1);
  EXPECT_TRUE(label.attachedInPreSubclass);
  EXPECT_EQ(label.m_hWnd, control_);
  CString text;
  label.GetWindowText(text);
  EXPECT_STREQ(text, "Label") << "the static's own procedure answers";
  EXPECT_FALSE(label.SubclassDlgItem(999, &parent_)) << "no such item";

  // Made by Create, the object is told as well.
  CReflectingLabel created;
  ASSERT_TRUE(created.Create("x", SS_LEFT, CRect(0, 0, 10, 10), &parent_, 77));
  EXPECT_EQ(created.presubclassed, 1);
  EXPECT_EQ(label.UnsubclassWindow(), control_);
  EXPECT_EQ(CWnd::FromHandlePermanent(control_), nullptr);
}

TEST_F(MfcControls, StylesAndFonts) {
  CReflectingLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &parent_));
  EXPECT_TRUE(label.ModifyStyle(SS_NOTIFY, SS_CENTER));
  EXPECT_EQ(label.GetStyle() & (SS_TYPEMASK | SS_NOTIFY), static_cast<DWORD>(SS_CENTER));
  EXPECT_FALSE(label.ModifyStyle(0, SS_CENTER)) << "nothing changed";
  EXPECT_TRUE(label.ModifyStyleEx(0, WS_EX_TRANSPARENT, SWP_FRAMECHANGED));
  EXPECT_EQ(label.GetExStyle() & WS_EX_TRANSPARENT, static_cast<DWORD>(WS_EX_TRANSPARENT));

  EXPECT_EQ(label.GetFont(), nullptr);
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, "Unifont"));
  label.SetFont(&font);
  EXPECT_EQ(label.GetFont(), &font) << "the permanent object of the font";
  label.UnsubclassWindow();
}

TEST_F(MfcControls, TheParentReflectsNotificationsToTheControlsObject) {
  CReflectingLabel label;
  label.brush = reinterpret_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &parent_));
  sandbox::testing::Canvas canvas(1, 1);

  EXPECT_EQ(parent_.SendMessage(WM_COMMAND, MAKEWPARAM(kLabelId, STN_CLICKED), reinterpret_cast<LPARAM>(control_)),
            1);
  EXPECT_EQ(parent_.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                                reinterpret_cast<LPARAM>(control_)),
            reinterpret_cast<LRESULT>(label.brush));
  EXPECT_EQ(::GetTextColor(canvas.dc()), RGB(255, 0, 0));
  NMHDR header{control_, kLabelId, kNotifyCode};
  EXPECT_EQ(parent_.SendMessage(WM_NOTIFY, kLabelId, reinterpret_cast<LPARAM>(&header)), 9);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"label clicked", "label colour 6", "label notify 1234"}));

  // Without the object the parent's own entry takes the command, and the default colours come.
  label.UnsubclassWindow();
  g_seen.clear();
  parent_.SendMessage(WM_COMMAND, MAKEWPARAM(kLabelId, STN_CLICKED), reinterpret_cast<LPARAM>(control_));
  EXPECT_EQ(parent_.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc()),
                                reinterpret_cast<LPARAM>(control_)),
            reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE)));
  EXPECT_EQ(g_seen, (std::vector<std::string>{"parent command"}));
}

TEST_F(MfcControls, MouseEntriesGetTheirFlagsAndPoints) {
  CReflectingLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(kLabelId, &parent_));
  sandbox::MovePointer(100 + 10 + 5, 100 + 10 + 3);
  sandbox::PressButton(sandbox::MouseButton::kLeft);
  Pump();
  label.EnableWindow(FALSE);
  // The label's paint (its parent reflecting WM_CTLCOLORSTATIC) comes after the posted messages.
  EXPECT_EQ(g_seen, (std::vector<std::string>{"cursor 1 1 512", "cursor 1 1 513", "move 0 5,3", "down 1 5,3",
                                              "label clicked", "label colour 6", "enable 0"}));
  sandbox::ReleaseButton(sandbox::MouseButton::kLeft);
  label.UnsubclassWindow();
}

TEST_F(MfcControls, MenusCommandUserInterfaceAndOwnerDrawnItems) {
  const size_t before = sandbox::LiveMenus();
  {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_CONTEXT));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(CMenu::FromHandlePermanent(popup->m_hMenu), nullptr) << "a temporary object";
    EXPECT_EQ(popup->GetMenuItemCount(), 3u);
    CString text;
    EXPECT_EQ(popup->GetMenuString(1, text, MF_BYPOSITION), 5);
    EXPECT_STREQ(text, "&Copy");

    // CCmdUI over the entries, as a tree asks its node for each of them.
    CCmdUI cut;
    cut.m_pMenu = popup;
    cut.m_nIndex = 0;
    cut.m_nID = popup->GetMenuItemID(0);
    cut.Enable(FALSE);
    cut.SetCheck(1);
    EXPECT_EQ(popup->GetMenuState(ID_CUT, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED | MF_DISABLED | MF_CHECKED));
    EXPECT_TRUE(cut.m_bEnableChanged);
    cut.SetText("Cut it");
    EXPECT_EQ(popup->GetMenuString(0, text, MF_BYPOSITION), 6);
    EXPECT_EQ(popup->GetMenuState(0, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED | MF_DISABLED | MF_CHECKED))
        << "the state stays";
    CCmdUI more;
    more.m_pMenu = popup;
    more.m_nIndex = 2;
    more.m_pSubMenu = popup->GetSubMenu(2);
    more.Enable(FALSE);
    EXPECT_EQ(popup->GetMenuState(2, MF_BYPOSITION) & MF_GRAYED, 0u) << "a submenu entry is left alone";

    // The parent tracks it; the owner's map gets WM_INITMENUPOPUP with a CMenu.
    sandbox::QueueAnswer("PopupMenu", {ID_COPY});
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 0, 0, &parent_), static_cast<BOOL>(ID_COPY));
    EXPECT_EQ(g_seen, std::vector<std::string>{"init popup 3 0"});
    EXPECT_EQ(sandbox::LiveMenus(), before + 3);
  }
  EXPECT_EQ(sandbox::LiveMenus(), before) << "the object destroys its menu";

  // Owner-drawn items of a menu with a permanent object go to its DrawItem.
  g_seen.clear();
  CDrawingMenu drawing;
  ASSERT_TRUE(drawing.CreatePopupMenu());
  drawing.AppendMenu(MF_OWNERDRAW, 5, reinterpret_cast<LPCTSTR>(42));
  sandbox::QueueAnswer("PopupMenu", {0});
  drawing.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &parent_);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"init popup 1 0", "measure 42", "draw 42"}));
}

TEST_F(MfcControls, ImageListsAndToolTips) {
  {
    CImageList images;
    ASSERT_TRUE(images.Create(IDB_STRIP, 2, 1, RGB(192, 192, 192)));
    EXPECT_EQ(images.GetImageCount(), 2);
    sandbox::testing::Canvas canvas(2, 2, false, RGB(0, 255, 0));
    CDC* dc = CDC::FromHandle(canvas.dc());
    EXPECT_TRUE(images.Draw(dc, 0, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(sandbox::LiveImageLists(), 1u);
  }
  EXPECT_EQ(sandbox::LiveImageLists(), 0u) << "the object destroys its list";

  sandbox::SetClock(1'000'000);
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&parent_));
  CWnd* label = CWnd::FromHandle(control_);
  ASSERT_TRUE(tip.AddTool(label, "About the label"));
  EXPECT_EQ(tip.GetToolCount(), 1);
  EXPECT_EQ(tip.SetMaxTipWidth(200), -1);
  MSG move{control_, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3), 0, {113, 113}};
  tip.RelayEvent(&move);
  sandbox::AdvanceClock(500);
  Pump();
  EXPECT_TRUE(sandbox::ToolTipOf(tip.m_hWnd).visible);
  EXPECT_EQ(sandbox::ToolTipOf(tip.m_hWnd).text, "About the label");
  tip.UpdateTipText("Changed", label);
  EXPECT_EQ(sandbox::ToolTipOf(tip.m_hWnd).text, "Changed");
  tip.Pop();
  EXPECT_FALSE(sandbox::ToolTipOf(tip.m_hWnd).visible);
  tip.DestroyWindow();
}

}  // namespace
