// Shared set-up of the add-in's end-to-end tests: an apartment, the built add-in's path, its
// registration by regsvr32, the IDE stand-in started on this thread with the add-in loaded from
// the registry, and what the add-in wrote where.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "regsvr32.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"

namespace e2e_test {

constexpr char kProgId[] = "SablewingAddIn.DSAddIn.1";
constexpr char kClsidText[] = "{86C23612-42B4-4B2A-9852-14734F101E71}";
constexpr char kLibidText[] = "{2EC3FF81-49B2-4BEA-B737-3B357CBDA3E8}";
constexpr char kCommandsIidText[] = "{8F37130A-783D-4433-AF92-483D3501F29F}";
constexpr char kClasses[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes";  // what HKCR shows
constexpr char kAddIns[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0\\AddIns";
constexpr char kPreferences[] = "HKEY_CURRENT_USER\\Software\\Vellacott\\Sablewing\\VC\\VS6";
constexpr const char* kCommandNames[] = {"SablewingAddInAddComponent", "SablewingAddInUpgradeProject",
                                         "SablewingAddInSetPreferences"};

// The built add-in's Windows path (through Z:, the host's root).
inline std::string AddInPath() { return sandbox::WindowsPath(ADDIN_FILE); }
inline HMODULE LoadedAddIn() { return GetModuleHandle(AddInPath().c_str()); }

using sandbox::testing::PumpMessages;
using sandbox::testing::RegistryKeysBelow;

// An apartment on this thread, and the add-in registered as regsvr32 does it.
class AddInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::CoInitialize(NULL), S_OK);
    ASSERT_EQ(Regsvr32({"/s", AddInPath()}), kRegsvr32Done);
  }
  void TearDown() override {
    sandbox::msdev::StopIde();
    ::CoUninitialize();
  }

  static std::optional<uint32_t> ToolbarDisplayed() { return sandbox::RegistryGetDword(kPreferences, "ToolbarDisplayed"); }
};

}  // namespace e2e_test
