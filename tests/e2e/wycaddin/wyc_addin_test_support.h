// What the end-to-end tests of HgWycAddIn.dll share: drive C: holding a copy of the sample Wyc
// project (its .uir files' times set to what its ".hga" file recorded), the run-time engine where
// the loader finds "wycrte.dll", the clock standing still with Sleep moving it, and the DLL
// registered by regsvr32, so that the IDE loads it from the user's AddIns key through COM.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regsvr32.h"
#include "sandbox/dialog_user.h"
#include "sandbox/msdev.h"
#include "sandbox/test_support.h"
#include "sandbox/user.h"

namespace wycaddin_test {

constexpr char kProgId[] = "HgWycAddIn.HgWycAddIn.1";
constexpr char kAddInKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0\\AddIns\\HgWycAddIn.HgWycAddIn.1";
constexpr char kPreferences[] = "HKEY_CURRENT_USER\\Software\\Vellacott\\Sablewing\\VC\\VS6";
constexpr char kCaption[] = "Harrowgate/Wyc AddIn";

// The sample project on C:.
constexpr char kProjectDir[] = "C:\\Projects\\WycMeterVC\\";
constexpr char kWorkspace[] = "C:\\Projects\\WycMeterVC\\WycMeterVC.dsw";
constexpr char kStateFile[] = "C:\\Projects\\WycMeterVC\\WycMeterVC.hga";
constexpr char kTableFile[] = "C:\\Projects\\WycMeterVC\\UIRCallbackTable.c";
constexpr char kMeterUir[] = "C:\\Projects\\WycMeterVC\\meter.uir";
constexpr char kSetupUir[] = "C:\\Projects\\WycMeterVC\\panels\\setup.uir";
constexpr char kAlarmUir[] = "C:\\Projects\\WycMeterVC\\alarm.uir";

// The dialogs' ids.
constexpr int kSettingsMaintain = 214;
constexpr int kSettingsTableFile = 205;
constexpr int kSettingsProject = 216;
constexpr int kSavePromptDontShow = 215;
constexpr int kSavePromptText = 218;

inline std::string DllPath() { return sandbox::WindowsPath(HGWYCADDIN_FILE); }
// A golden file of these tests; "sample" is the sample's own table, which its three .uir files
// give, and "meter" the table of meter.uir and setup.uir alone (the Wyc tests' golden).
inline std::string Golden(const std::string& name) {
  const std::string root = sandbox::testing::SourceRoot();
  if (name == "sample") return sandbox::testing::ReadHostFile(root + "/sample/Projects/WycMeterVC/UIRCallbackTable.c");
  if (name == "meter") return sandbox::testing::ReadHostFile(root + "/wycwizard/tests/golden/UIRCallbackTable_meter.c");
  return sandbox::testing::ReadHostFile(root + "/tests/e2e/wycaddin/golden/" + name);
}

// The times the sample's ".hga" file records: the high part 0x01C0F000, the low parts 100, 200, 300.
inline FILETIME RecordedTime(DWORD low) { return FILETIME{low, 0x01C0F000}; }

class WycAddInTest : public sandbox::testing::TempDriveTest<'C'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    sandbox::SetClock(946684800000);  // 2000-01-01
    sandbox::SetSleepMovesClock(true);
    CopyToDisk(sandbox::testing::SourceRoot() + "/sample/Projects/WycMeterVC", "Projects/WycMeterVC");
    SetWriteTime(kMeterUir, RecordedTime(100));
    SetWriteTime(kSetupUir, RecordedTime(200));
    SetWriteTime(kAlarmUir, RecordedTime(300));
    ASSERT_TRUE(CreateDirectory("C:\\rt", nullptr));
    ASSERT_TRUE(CopyFile(sandbox::WindowsPath(WYCRTE_LIBRARY_FILE).c_str(), "C:\\rt\\wycrte.dll", TRUE));
    sandbox::SetModuleSearchPath({"C:\\rt"});
    ASSERT_EQ(Regsvr32({"/s", DllPath()}), kRegsvr32Done);
  }
  void TearDown() override {
    sandbox::msdev::StopIde();
    EXPECT_EQ(sandbox::msdev::ModelessDisabledDepth(), 0);
    CoUninitialize();
  }

  static void SetWriteTime(const char* path, const FILETIME& time) { sandbox::testing::SetWriteTime(path, time); }
  static void OpenSample() {
    std::string error;
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace(kWorkspace, &error)) << error;
  }
  // Starts the IDE (which loads the add-in) and opens the sample workspace.
  static void StartWithSample() {
    sandbox::msdev::StartIde();
    ASSERT_EQ(sandbox::msdev::AddIns().size(), 1u) << testing::PrintToString(sandbox::msdev::AddInMessages());
    OpenSample();
  }
  static void PumpMessages() { sandbox::testing::PumpMessages(); }
  static HMODULE LoadedDll() { return GetModuleHandle(DllPath().c_str()); }

  // The message boxes and dialogs shown since the last ClearModals, as "<kind> <caption>: <text>".
  static std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (const sandbox::Modal& modal : sandbox::Modals())
      shown.push_back(modal.kind + " " + modal.caption + ": " + modal.text);
    return shown;
  }
};

}  // namespace wycaddin_test
