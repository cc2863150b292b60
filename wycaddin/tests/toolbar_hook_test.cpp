// The toolbar hook names the toolbar Developer Studio makes for the add-in's button, and leaves
// every other window as it is made.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ToolbarHook.h"

// The module's number of the run-time engine's message, which the linked .uir reader names.
extern const UINT g_nUIREngineMessageId = 110;

namespace {

// A top-level window of the static class, made with `name` (which may be null or an ordinal);
// its title as made, "(refused)" when it was not made.
std::string TitleMadeWith(LPCSTR name) {
  const HWND window = CreateWindowEx(0, "Static", name, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  if (window == nullptr) return "(refused)";
  char title[64] = "";
  GetWindowText(window, title, sizeof title);
  DestroyWindow(window);
  return title;
}

TEST(ToolbarHook, NamesEveryWindowWhoseNameHoldsToolbarWhileInstalled) {
  const char ordinalName[] = {'\xFF', '\xFF', 5, 0, 0};
  struct Row {
    const char* what;
    LPCSTR name;
    std::string title;
  };
  const Row rows[] = {
      {.what = "the IDE's toolbar", .name = "Toolbar3", .title = "Hg/Wyc"},
      {.what = "\"Toolbar\" inside the name", .name = "MyToolbarWnd", .title = "Hg/Wyc"},
      {.what = "another name", .name = "Output", .title = "Output"},
      {.what = "the case differs", .name = "toolbar1", .title = "toolbar1"},
      {.what = "no name", .name = nullptr, .title = ""},
      {.what = "an ordinal in the name's place", .name = MAKEINTRESOURCE(7), .title = ""},
      {.what = "an ordinal in a name's form", .name = ordinalName, .title = ordinalName},
  };
  ASSERT_TRUE(InstallToolbarHook());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(TitleMadeWith(row.name), row.title);
  }
  RemoveToolbarHook();
  EXPECT_EQ(TitleMadeWith("Toolbar3"), "Toolbar3") << "removed, it names nothing";
  RemoveToolbarHook();  // removing it twice does nothing
}

// Another hook of the thread, installed before, still sees every window: the hook passes each
// call on.
LRESULT CALLBACK RefuseTheProbe(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCT* cs = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
    if (cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName) && std::string(cs->lpszName) == "Probe") return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ToolbarHook, PassesEveryCallOn) {
  const HHOOK earlier = SetWindowsHookEx(WH_CBT, RefuseTheProbe, nullptr, GetCurrentThreadId());
  ASSERT_NE(earlier, nullptr);
  {
    CToolbarHookScope hook;
    EXPECT_EQ(TitleMadeWith("Probe"), "(refused)");
    EXPECT_EQ(TitleMadeWith("Toolbar1"), "Hg/Wyc");
  }
  EXPECT_EQ(TitleMadeWith("Toolbar1"), "Toolbar1");
  UnhookWindowsHookEx(earlier);
}

}  // namespace
