// Menus: templates read into items, the item calls, what ModifyMenu does to a replaced submenu,
// and the live menus the sandbox counts.
#include <windows.h>

#include <standin_resources.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include <string>

#include "resource.h"
#include "sandbox/sandbox.h"

namespace {

std::string StringOf(HMENU menu, UINT position) {
  char text[64];
  std::memset(text, 'x', sizeof text);
  const int n = GetMenuString(menu, position, text, sizeof text, MF_BYPOSITION);
  EXPECT_EQ(n, static_cast<int>(std::strlen(text)));
  return text;
}

TEST(Menus, TemplateBecomesItemsWithTheirStates) {
  HMENU bar = LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDM_FILE));
  ASSERT_NE(bar, nullptr) << GetLastError();
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));
  EXPECT_EQ(StringOf(bar, 0), "&File");
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(file, nullptr);
  const struct {
    UINT id;
    UINT state;
    const char* text;
  } rows[] = {
      {.id = ID_OPEN, .state = MF_STRING, .text = "&Open...\tCtrl+O"},
      {.id = 0, .state = MF_SEPARATOR, .text = ""},
      {.id = ID_SAVE, .state = MF_GRAYED, .text = "&Save"},
      {.id = static_cast<UINT>(-1), .state = MF_POPUP | (2 << 8), .text = "&Recent"},
      {.id = ID_EXIT, .state = MF_DISABLED, .text = "E&xit"},
  };
  ASSERT_EQ(GetMenuItemCount(file), static_cast<int>(std::size(rows)));
  for (UINT i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].text);
    EXPECT_EQ(GetMenuItemID(file, static_cast<int>(i)), rows[i].id);
    EXPECT_EQ(GetMenuState(file, i, MF_BYPOSITION), rows[i].state);
    EXPECT_EQ(StringOf(file, i), rows[i].text);
  }
  HMENU recent = GetSubMenu(file, 3);
  EXPECT_EQ(GetMenuState(recent, ID_RECENT_ONE, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  // By command the search goes into the submenus.
  EXPECT_EQ(GetMenuState(bar, ID_RECENT_ONE, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuItemID(file, 5), static_cast<UINT>(-1));
  EXPECT_EQ(sandbox::LiveMenus(), 3u);
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_EQ(sandbox::LiveMenus(), 0u) << "submenus go with their menu";
  EXPECT_FALSE(IsMenu(file));
  EXPECT_EQ(GetMenuItemCount(file), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
}

TEST(Menus, MenuStringsAreCutWhole) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(menu, MF_STRING, 1, "Properties"));
  char text[5];
  EXPECT_EQ(GetMenuString(menu, 0, nullptr, 0, MF_BYPOSITION), 10) << "no buffer: the length";
  EXPECT_EQ(GetMenuString(menu, 0, text, sizeof text, MF_BYPOSITION), 4);
  EXPECT_STREQ(text, "Prop");
  ASSERT_TRUE(ModifyMenu(menu, 0, MF_BYPOSITION | MF_OWNERDRAW, 1, reinterpret_cast<LPCSTR>(0x1234)));
  EXPECT_EQ(GetMenuString(menu, 0, nullptr, 0, MF_BYPOSITION), 0) << "an owner-drawn item has no text";
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND), static_cast<UINT>(MF_OWNERDRAW));
  DestroyMenu(menu);
}

TEST(Menus, ModifyMenuDestroysTheSubmenuItReplacesUnlessGivenItBack) {
  const struct {
    const char* name;
    UINT flags;        // for the new item; MF_POPUP passes the old submenu back
    bool submenuLives;
  } rows[] = {
      {.name = "a string", .flags = MF_STRING, .submenuLives = false},
      {.name = "owner-drawn", .flags = MF_OWNERDRAW, .submenuLives = false},
      {.name = "owner-drawn, its submenu passed back", .flags = MF_OWNERDRAW | MF_POPUP, .submenuLives = true},
      {.name = "a string, its submenu passed back", .flags = MF_STRING | MF_POPUP, .submenuLives = true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    ASSERT_TRUE(AppendMenu(sub, MF_STRING, 7, "Inner"));
    ASSERT_TRUE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Outer"));
    const UINT_PTR id = (row.flags & MF_POPUP) ? reinterpret_cast<UINT_PTR>(sub) : 9;
    const LPCSTR item = (row.flags & MF_OWNERDRAW) ? reinterpret_cast<LPCSTR>(0x55) : "New";
    ASSERT_TRUE(ModifyMenu(menu, 0, MF_BYPOSITION | row.flags, id, item));
    EXPECT_EQ(IsMenu(sub) != FALSE, row.submenuLives);
    EXPECT_EQ(GetSubMenu(menu, 0), row.submenuLives ? sub : nullptr);
    EXPECT_EQ(sandbox::LiveMenus(), row.submenuLives ? 2u : 1u);
    DestroyMenu(menu);
    EXPECT_EQ(sandbox::LiveMenus(), 0u);
  }
}

TEST(Menus, EnableAndCheckAnswerThePreviousState) {
  HMENU menu = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(menu, MF_STRING | MF_GRAYED, 10, "Cut"));
  ASSERT_TRUE(AppendMenu(menu, MF_STRING, 11, "Copy"));
  EXPECT_EQ(EnableMenuItem(menu, 10, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(menu, 1, MF_BYPOSITION | MF_DISABLED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(GetMenuState(menu, 11, MF_BYCOMMAND), static_cast<UINT>(MF_DISABLED));
  EXPECT_EQ(CheckMenuItem(menu, 10, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(EnableMenuItem(menu, 99, MF_BYCOMMAND), -1);
  EXPECT_EQ(CheckMenuItem(menu, 5, MF_BYPOSITION), static_cast<DWORD>(-1));
  EXPECT_TRUE(DeleteMenu(menu, 10, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemID(menu, 0), 11u);
  DestroyMenu(menu);
}

TEST(Menus, RemoveMenuLeavesTheSubmenuToTheCaller) {
  HMENU menu = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub"));
  ASSERT_TRUE(RemoveMenu(menu, 0, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(sub));
  ASSERT_TRUE(InsertMenu(menu, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub"));
  ASSERT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_FALSE(AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Gone"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  DestroyMenu(menu);
}

TEST(Menus, TemplatesThatEndTooSoonAreRefused) {
  // A popup whose items never end (no MF_END), and a command cut off in its text.
  static const WORD kUnended[] = {0, 0, MF_POPUP | MF_END, 'A', 0, 0, 5, 'B', 0};
  static const WORD kCut[] = {0, 0, MF_END, 5, 'B'};
  static const StandinResource kTable[] = {
      {4, nullptr, IDM_TRUNCATED, nullptr, kUnended, sizeof kUnended},
      {4, nullptr, IDM_TRUNCATED + 1, nullptr, kCut, sizeof kCut},
  };
  StandinRegisterResources(kTable, kTable, std::size(kTable));
  for (WORD id : {IDM_TRUNCATED, IDM_TRUNCATED + 1}) {
    SetLastError(0xdeadbeef);
    EXPECT_EQ(LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(id)), nullptr) << id;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << id;
  }
  StandinUnregisterResources(kTable, kTable);
  EXPECT_EQ(sandbox::LiveMenus(), 0u) << "nothing is left of a refused template";
}

}  // namespace
