// A regular DLL (as the Wyc add-in is) beside the IDE: its own application object starts at load
// and ends at unload in the DLL's own module state, while AfxGetApp() of the IDE's code stays the
// IDE's application. MfcRegular.dll and MfcRegularFails.dll are the mfc42 tests' modules.
#include <windows.h>

#include "../../mfc42/tests/modules/modules.h"
#include "msdev_test_support.h"

namespace msdev_test {
namespace {

using RegularDllTest = IdeTest;

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

TEST_F(RegularDllTest, ItsApplicationLivesInItsOwnStateBesideTheIdes) {
  sandbox::msdev::StartIde();
  sandbox::ClearDebugOutput();
  HMODULE dll = LoadLibrary("MfcRegular.dll");
  ASSERT_NE(dll, nullptr) << "error " << GetLastError();
  EXPECT_EQ(sandbox::DebugOutput(), std::vector<std::string>{"InitInstance of MfcRegular in MfcRegular"});
  ASSERT_NE(AfxGetApp(), nullptr);
  EXPECT_STREQ(AfxGetApp()->m_pszAppName, "Microsoft Visual C++");

  auto appName = Entry<RegularAppNameProc>(dll, "RegularAppName");
  ASSERT_NE(appName, nullptr);
  char name[64] = "";
  appName(TRUE, name, sizeof name);
  EXPECT_STREQ(name, "MfcRegular");
  appName(FALSE, name, sizeof name);
  EXPECT_STREQ(name, "Microsoft Visual C++") << "without AFX_MANAGE_STATE the DLL's code runs in the caller's state";

  // In its own state the DLL's resource handle is its own.
  char text[64] = "";
  ASSERT_TRUE(Entry<RegularLoadStringProc>(dll, "RegularLoadString")(IDS_MODULE_NAME, text, sizeof text));
  EXPECT_STREQ(text, "Regular");

  EXPECT_TRUE(FreeLibrary(dll));
  EXPECT_EQ(sandbox::DebugOutput(), (std::vector<std::string>{"InitInstance of MfcRegular in MfcRegular",
                                                              "ExitInstance of MfcRegular in MfcRegular"}));
  EXPECT_STREQ(AfxGetApp()->m_pszAppName, "Microsoft Visual C++");
}

// What keeps a regular DLL loaded is counted in its own module state: the IDE's objects do not
// hold it, and its own do.
TEST_F(RegularDllTest, ItMayUnloadWhenItsOwnStateHoldsNoObject) {
  sandbox::msdev::StartIde();
  HMODULE dll = LoadLibrary("MfcRegular.dll");
  ASSERT_NE(dll, nullptr) << "error " << GetLastError();
  auto canUnloadNow = Entry<RegularCanUnloadNowProc>(dll, "DllCanUnloadNow");
  auto lockApp = Entry<RegularLockAppProc>(dll, "RegularLockApp");
  ASSERT_NE(canUnloadNow, nullptr);
  ASSERT_NE(lockApp, nullptr);
  EXPECT_EQ(canUnloadNow(), S_OK);

  AfxOleLockApp();  // in the IDE's (the application's) state
  EXPECT_EQ(canUnloadNow(), S_OK) << "the application's objects are not the DLL's";
  EXPECT_FALSE(AfxOleCanExitApp());
  AfxOleUnlockApp();

  lockApp(TRUE);
  lockApp(TRUE);
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  EXPECT_TRUE(AfxOleCanExitApp()) << "nor are the DLL's the application's";
  lockApp(FALSE);
  EXPECT_EQ(canUnloadNow(), S_FALSE) << "one object is left";
  lockApp(FALSE);
  EXPECT_EQ(canUnloadNow(), S_OK);
  EXPECT_TRUE(FreeLibrary(dll));
}

TEST_F(RegularDllTest, AnApplicationThatDoesNotStartFailsTheLoad) {
  sandbox::ClearDebugOutput();
  SetLastError(0xdeadbeef);
  EXPECT_EQ(LoadLibrary("MfcRegularFails.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  EXPECT_EQ(sandbox::DebugOutput(), (std::vector<std::string>{"InitInstance of MfcRegularFails in MfcRegularFails",
                                                              "ExitInstance of MfcRegularFails in MfcRegularFails"}));
  EXPECT_EQ(AfxGetApp(), nullptr);
}

}  // namespace
}  // namespace msdev_test
