// TrackPopupMenu over the scripted user: what the owner is told, how owner-drawn items are
// measured and drawn, what is chosen, and what a faulty script gets.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_log.h"
#include "sandbox/sandbox.h"

namespace {

using testing_user32::Expected;
using testing_user32::ExpectSequence;
using testing_user32::Seen;

// The owner: records its messages and the owner-draw structures, and measures every owner-drawn
// item as 40 + 10 x its data wide and 12 high.
struct OwnerLog {
  std::vector<Seen> seen;
  std::vector<DRAWITEMSTRUCT> drawn;
  std::vector<MEASUREITEMSTRUCT> measured;
};
OwnerLog g_log;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MEASUREITEM || message == WM_DRAWITEM || message == WM_INITMENUPOPUP || message == WM_INITMENU ||
      message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP || message == WM_COMMAND)
    g_log.seen.push_back({window, message, wParam, lParam});
  if (message == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    mis->itemWidth = 40 + 10 * static_cast<UINT>(mis->itemData);
    mis->itemHeight = 12;
    g_log.measured.push_back(*mis);
    return TRUE;
  }
  if (message == WM_DRAWITEM) {
    g_log.drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class PopupMenus : public testing::Test {
 protected:
  void SetUp() override {
    g_log = {};
    sandbox::SetFailureHandler([this](const std::string& m) { failures_.push_back(m); });
    WNDCLASS wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = "MenuOwner";
    ASSERT_NE(RegisterClass(&wc), 0);
    owner_ = CreateWindowEx(0, "MenuOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                            nullptr, nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
    menu_ = CreatePopupMenu();
    // Owner-drawn items carry 1..4 as data: plain, checked, grey, disabled; then a string.
    AppendMenu(menu_, MF_OWNERDRAW, 10, reinterpret_cast<LPCSTR>(1));
    AppendMenu(menu_, MF_OWNERDRAW | MF_CHECKED, 11, reinterpret_cast<LPCSTR>(2));
    AppendMenu(menu_, MF_OWNERDRAW | MF_GRAYED, 12, reinterpret_cast<LPCSTR>(3));
    AppendMenu(menu_, MF_OWNERDRAW | MF_DISABLED, 13, reinterpret_cast<LPCSTR>(4));
    AppendMenu(menu_, MF_STRING, 14, "Plain\tF2");
  }
  void TearDown() override {
    DestroyMenu(menu_);
    sandbox::SetFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
  }

  std::vector<UINT> Messages() const {
    std::vector<UINT> out;
    for (const Seen& s : g_log.seen) out.push_back(s.message);
    return out;
  }

  std::vector<std::string> failures_;
  HWND owner_ = nullptr;
  HMENU menu_ = nullptr;
};

TEST_F(PopupMenus, OwnerMeasuresAndDrawsItsItemsWithTheirStates) {
  HWND popupSeen = nullptr;
  std::vector<DRAWITEMSTRUCT> beforeHighlight;
  sandbox::QueueAnswer("PopupMenu", {11, "", [&](void* popup) {
                                       popupSeen = static_cast<HWND>(popup);
                                       beforeHighlight = g_log.drawn;
                                       g_log.drawn.clear();
                                       EXPECT_TRUE(sandbox::HighlightMenuItem(popup, 0));
                                     }});
  EXPECT_EQ(TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, 100, 50, 0, owner_, nullptr), 11);

  ExpectSequence(g_log.seen,
                 {{WM_ENTERMENULOOP}, {WM_INITMENU}, {WM_INITMENUPOPUP}, {WM_MEASUREITEM}, {WM_MEASUREITEM},
                  {WM_MEASUREITEM}, {WM_MEASUREITEM}, {WM_DRAWITEM}, {WM_DRAWITEM}, {WM_DRAWITEM}, {WM_DRAWITEM},
                  {WM_DRAWITEM}, {WM_EXITMENULOOP}},
                 "tracking");
  EXPECT_EQ(g_log.seen[2].wParam, reinterpret_cast<WPARAM>(menu_));
  ASSERT_EQ(g_log.measured.size(), 4u) << "once per owner-drawn item";
  EXPECT_EQ(g_log.measured[1].CtlType, static_cast<UINT>(ODT_MENU));
  EXPECT_EQ(g_log.measured[1].itemID, 11u);

  ASSERT_EQ(beforeHighlight.size(), 4u);
  const UINT states[] = {0, ODS_CHECKED, ODS_GRAYED | ODS_DISABLED, ODS_DISABLED};
  LONG top = 0;
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const DRAWITEMSTRUCT& dis = beforeHighlight[i];
    EXPECT_EQ(dis.CtlType, static_cast<UINT>(ODT_MENU));
    EXPECT_EQ(dis.itemID, 10 + i);
    EXPECT_EQ(dis.itemData, i + 1);
    EXPECT_EQ(dis.itemState, states[i]);
    EXPECT_EQ(dis.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(dis.hwndItem, reinterpret_cast<HWND>(menu_));
    // Every item is as wide as the widest (the string item: 20 + "Plain" + 16 + "F2" + 20) and as
    // high as it measured.
    EXPECT_EQ(dis.rcItem.left, 0);
    EXPECT_EQ(dis.rcItem.right, 112);
    EXPECT_EQ(dis.rcItem.top, top);
    EXPECT_EQ(dis.rcItem.bottom, top + 12);
    top += 12;
  }
  ASSERT_EQ(g_log.drawn.size(), 1u) << "only the item that changed is drawn again";
  EXPECT_EQ(g_log.drawn[0].itemID, 10u);
  EXPECT_EQ(g_log.drawn[0].itemState, static_cast<UINT>(ODS_SELECTED));

  ASSERT_NE(popupSeen, nullptr);
  EXPECT_FALSE(IsWindow(popupSeen)) << "the popup is gone once it is tracked";
  EXPECT_EQ(GetMenuState(menu_, 0, MF_BYPOSITION) & MF_HILITE, 0u) << "the highlight ends with the popup";
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].kind, "PopupMenu");
  EXPECT_EQ(modals[0].caption, "Owner");
  EXPECT_EQ(modals[0].style, static_cast<unsigned>(TPM_RETURNCMD | TPM_RIGHTBUTTON));
  EXPECT_EQ(modals[0].items, (std::vector<std::string>{"(owner-drawn)", "(owner-drawn) [checked]",
                                                       "(owner-drawn) [grayed]", "(owner-drawn) [disabled]",
                                                       "Plain\tF2"}));
  EXPECT_TRUE(failures_.empty());
}

TEST_F(PopupMenus, ThePopupOpensWhereItIsAskedAsAWindowOfTheMenuClass) {
  RECT where{};
  char className[32] = "";
  sandbox::QueueAnswer("PopupMenu", {0, "", [&](void* popup) {
                                       GetWindowRect(static_cast<HWND>(popup), &where);
                                       GetClassName(static_cast<HWND>(popup), className, sizeof className);
                                       EXPECT_EQ(GetParent(static_cast<HWND>(popup)), owner_);
                                     }});
  TrackPopupMenu(menu_, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 300, 200, 0, owner_, nullptr);
  EXPECT_STREQ(className, "#32768");
  // Four items of 12 and the string item of 20 pixels; 112 wide.
  EXPECT_EQ(where.left, 300 - 112);
  EXPECT_EQ(where.top, 200 - 68);
  EXPECT_EQ(where.right, 300);
  EXPECT_EQ(where.bottom, 200);
}

TEST_F(PopupMenus, WhatIsChosenAndHowItReachesTheOwner) {
  const struct {
    const char* name;
    bool queue;
    int answer;
    UINT flags;
    BOOL returned;
    UINT posted;  // the WM_COMMAND id posted, 0 for none
    bool faultyScript;
  } rows[] = {
      {.name = "returned", .queue = true, .answer = 14, .flags = TPM_RETURNCMD, .returned = 14, .posted = 0,
       .faultyScript = false},
      {.name = "posted", .queue = true, .answer = 14, .flags = 0, .returned = TRUE, .posted = 14,
       .faultyScript = false},
      {.name = "nothing chosen", .queue = true, .answer = 0, .flags = TPM_RETURNCMD, .returned = 0, .posted = 0,
       .faultyScript = false},
      {.name = "nothing chosen, not returned", .queue = true, .answer = 0, .flags = 0, .returned = TRUE,
       .posted = 0, .faultyScript = false},
      {.name = "no answer queued", .queue = false, .answer = 0, .flags = TPM_RETURNCMD, .returned = 0, .posted = 0,
       .faultyScript = false},
      {.name = "a grey item", .queue = true, .answer = 12, .flags = TPM_RETURNCMD, .returned = 0, .posted = 0,
       .faultyScript = true},
      {.name = "a disabled item", .queue = true, .answer = 13, .flags = 0, .returned = TRUE, .posted = 0,
       .faultyScript = true},
      {.name = "no such command", .queue = true, .answer = 99, .flags = TPM_RETURNCMD, .returned = 0, .posted = 0,
       .faultyScript = true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    failures_.clear();
    g_log = {};
    sandbox::ClearModals();
    if (row.queue) sandbox::QueueAnswer("PopupMenu", {row.answer});
    EXPECT_EQ(TrackPopupMenu(menu_, row.flags, 0, 0, 0, owner_, nullptr), row.returned);
    EXPECT_EQ(failures_.size(), row.faultyScript ? 1u : 0u);
    g_log.seen.clear();
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    std::vector<UINT> commands;
    for (const Seen& s : g_log.seen)
      if (s.message == WM_COMMAND) commands.push_back(LOWORD(s.wParam));
    EXPECT_EQ(commands, row.posted ? std::vector<UINT>{row.posted} : std::vector<UINT>{});
    ASSERT_EQ(sandbox::Modals().size(), 1u);
    EXPECT_EQ(sandbox::Modals()[0].answered, row.queue);
  }
}

TEST_F(PopupMenus, ACommandInASubmenuOpensItOnTheWay) {
  HMENU sub = CreatePopupMenu();
  AppendMenu(sub, MF_OWNERDRAW, 21, reinterpret_cast<LPCSTR>(5));
  AppendMenu(sub, MF_STRING, 22, "Deep");
  AppendMenu(menu_, MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(sub), reinterpret_cast<LPCSTR>(6));
  sandbox::QueueAnswer("PopupMenu", {22});
  EXPECT_EQ(TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, 0, owner_, nullptr), 22);
  std::vector<WPARAM> opened;
  for (const Seen& s : g_log.seen)
    if (s.message == WM_INITMENUPOPUP) opened.push_back(s.wParam);
  EXPECT_TRUE(opened.empty()) << "TPM_NONOTIFY";
  // The entry and the submenu's owner-drawn item were measured and drawn.
  std::vector<ULONG_PTR> measured, drawn;
  for (const auto& m : g_log.measured) measured.push_back(m.itemData);
  for (const auto& d : g_log.drawn) drawn.push_back(d.itemData);
  EXPECT_EQ(measured, (std::vector<ULONG_PTR>{1, 2, 3, 4, 6, 5}));
  EXPECT_EQ(drawn, (std::vector<ULONG_PTR>{1, 2, 3, 4, 6, 5}));

  g_log = {};
  sandbox::QueueAnswer("PopupMenu", {21});
  EXPECT_EQ(TrackPopupMenu(menu_, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 21);
  std::vector<WORD> entries;
  for (const Seen& s : g_log.seen)
    if (s.message == WM_INITMENUPOPUP) {
      opened.push_back(s.wParam);
      entries.push_back(LOWORD(s.lParam));
    }
  EXPECT_EQ(opened, (std::vector<WPARAM>{reinterpret_cast<WPARAM>(menu_), reinterpret_cast<WPARAM>(sub)}));
  EXPECT_EQ(entries, (std::vector<WORD>{0, 5})) << "a submenu is told the position of its entry";

  EnableMenuItem(menu_, 5, MF_BYPOSITION | MF_GRAYED);
  sandbox::QueueAnswer("PopupMenu", {21});
  EXPECT_EQ(TrackPopupMenu(menu_, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0) << "behind a grey entry";
  EXPECT_EQ(failures_.size(), 1u);
}

TEST_F(PopupMenus, BadMenuOrOwnerFails) {
  EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x1234), 0, 0, 0, 0, owner_, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_FALSE(TrackPopupMenu(menu_, 0, 0, 0, 0, reinterpret_cast<HWND>(0x1234), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(sandbox::Modals().empty()) << "nothing was shown";
}

}  // namespace
