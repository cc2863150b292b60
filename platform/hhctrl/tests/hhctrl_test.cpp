// The HTML Help control as programs reach it: loaded by its bare name or by the path registered
// for the viewer's class, its ANSI entry bound by ordinal 14, each request recorded, a help window
// answered only when the help file exists.
#include <htmlhelp.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "sandbox/html_help.h"
#include "sandbox/test_support.h"

namespace {

constexpr char kServerKey[] = "HKEY_CLASSES_ROOT\\CLSID\\" HTMLHELP_CLSID_TEXT "\\InprocServer32";

class HtmlHelp : public sandbox::testing::TempDriveTest<'H'> {
 protected:
  // The path the registry holds for the control, as a program reads it.
  static std::string RegisteredPath() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, "CLSID\\" HTMLHELP_CLSID_TEXT "\\InprocServer32", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
      return {};
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    const LONG read = RegQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? std::string(value) : std::string();
  }

  static PFN_HTMLHELPA Entry(HMODULE control) {
    return reinterpret_cast<PFN_HTMLHELPA>(
        reinterpret_cast<void (*)()>(GetProcAddress(control, MAKEINTRESOURCE(HTMLHELP_ANSI_ORDINAL))));
  }
};

TEST_F(HtmlHelp, TheControlIsFoundByTheRegisteredPathAndByName) {
  sandbox::RegistrySetString(kServerKey, "", sandbox::WindowsPath(HHCTRL_HOST_FILE));
  const std::string registered = RegisteredPath();
  ASSERT_FALSE(registered.empty());
  HMODULE byPath = LoadLibrary(registered.c_str());
  ASSERT_NE(byPath, nullptr) << "error " << GetLastError();
  HMODULE byName = LoadLibrary("hhctrl.ocx");
  EXPECT_EQ(byName, byPath);
  EXPECT_EQ(GetModuleHandle("HHCTRL.OCX"), byPath);

  PFN_HTMLHELPA entry = Entry(byPath);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(reinterpret_cast<void (*)()>(entry), reinterpret_cast<void (*)()>(GetProcAddress(byPath, "HtmlHelpA")));
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetProcAddress(byPath, MAKEINTRESOURCE(15)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(byName));
  EXPECT_TRUE(FreeLibrary(byPath));
}

TEST_F(HtmlHelp, AnswersAWindowOnlyWhenTheHelpFileExists) {
  WriteDisk("Help/tqvcmain.chm", "ITSF");
  HMODULE control = LoadLibrary("hhctrl.ocx");
  ASSERT_NE(control, nullptr);
  PFN_HTMLHELPA entry = Entry(control);
  ASSERT_NE(entry, nullptr);
  HWND desktop = GetDesktopWindow();

  const struct {
    const char* path;
    bool window;
  } cases[] = {
      {.path = "H:\\Help\\tqvcmain.chm::\\hdiaddin.htm", .window = true},
      {.path = "H:\\Help\\TQVCMAIN.CHM::\\hdipref.htm", .window = true},
      {.path = "H:\\Help\\tqvcmain.chm", .window = true},
      {.path = "H:\\Help\\missing.chm::\\hdiaddin.htm", .window = false},
      {.path = "H:\\Help::\\tqvcmain.chm", .window = false},      // a folder is no help file
      {.path = "tqvcmain.chm::\\hdiaddin.htm", .window = false},  // not in the current directory
  };
  HWND first = nullptr;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    HWND window = entry(desktop, c.path, HH_DISPLAY_TOPIC, 0);
    EXPECT_EQ(window != nullptr, c.window);
    if (window == nullptr) continue;
    if (first == nullptr) first = window;
    EXPECT_EQ(window, first);  // one help window shows every topic
    char title[MAX_PATH] = "";
    GetWindowText(window, title, sizeof title);
    EXPECT_STREQ(title, c.path);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);  // the desktop owns nothing
  }

  const std::vector<sandbox::HtmlHelpRequest> requests = sandbox::HtmlHelpRequests();
  ASSERT_EQ(requests.size(), std::size(cases));
  for (size_t i = 0; i < requests.size(); ++i) {
    SCOPED_TRACE(cases[i].path);
    EXPECT_EQ(requests[i].owner, desktop);
    EXPECT_EQ(requests[i].path, cases[i].path);
    EXPECT_EQ(requests[i].command, static_cast<unsigned>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(requests[i].data, 0u);
    EXPECT_EQ(requests[i].window, cases[i].window ? static_cast<const void*>(first) : nullptr);
  }
  EXPECT_TRUE(FreeLibrary(control));
}

TEST_F(HtmlHelp, OtherCommandsAreRecordedAndUnmodelled) {
  HMODULE control = LoadLibrary("hhctrl.ocx");
  ASSERT_NE(control, nullptr);
  WriteDisk("Help/tqvcmain.chm", "ITSF");
  EXPECT_EQ(Entry(control)(nullptr, "H:\\Help\\tqvcmain.chm", HH_HELP_CONTEXT, 42), nullptr);
  const std::vector<sandbox::HtmlHelpRequest> requests = sandbox::HtmlHelpRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].command, static_cast<unsigned>(HH_HELP_CONTEXT));
  EXPECT_EQ(requests[0].data, 42u);
  EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{"Request"});
  EXPECT_TRUE(FreeLibrary(control));
}

// A caller that finds the control refused must not be told otherwise, and the attempts are counted
// by the control's name whichever way it was asked for.
TEST_F(HtmlHelp, ARefusedLoadIsCounted) {
  sandbox::RefuseLoad("hhctrl.ocx", ERROR_MOD_NOT_FOUND);
  SetLastError(0xdeadbeef);
  EXPECT_EQ(LoadLibrary("hhctrl.ocx"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadLibrary(sandbox::WindowsPath(HHCTRL_HOST_FILE).c_str()), nullptr);
  EXPECT_EQ(sandbox::LoadAttempts("HHCTRL.OCX"), 2u);
  EXPECT_TRUE(sandbox::HtmlHelpRequests().empty());
}

}  // namespace
