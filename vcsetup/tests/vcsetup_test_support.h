// What the set-up programs' tests share: the sample world (drive C: is sample/, the machine's
// registry from sample/sablewing.reg, a user of Developer Studio from sample/devstudio-user.reg),
// the keys the programs read and write, and the texts they show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"

namespace vcsetup_test {

inline constexpr const char* kDirectoriesKey =
    "HKCU\\Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";
inline constexpr const char* kToolsKey = "HKCU\\Software\\Microsoft\\DevStudio\\6.0\\Tools";
inline constexpr const char* kAddInKey = "HKCU\\Software\\Microsoft\\DevStudio\\6.0\\AddIns\\SablewingAddIn.DSAddIn.1";
inline constexpr const char* kProductKey = "HKLM\\Software\\Vellacott\\Sablewing\\VC";
inline constexpr const char* kUserInfoKey = "HKLM\\Software\\Vellacott\\Sablewing\\6.0\\User Info";
inline constexpr const char* kVxipnpKey = "HKLM\\SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion";
inline constexpr const char* kSetupKey = "HKLM\\SOFTWARE\\Microsoft\\VisualStudio\\6.0\\Setup";
inline constexpr const char* kUserKey = "HKCU\\Software\\Vellacott\\Sablewing\\VC\\VS6";
inline constexpr const char* kIdeProgIdKey = "HKCR\\MSDEV.Application";
inline constexpr const char* kProgram = "C:\\DevStudio\\Common\\MSDev98\\Bin\\MSDEV.EXE";

// The texts the programs show, captioned "Sablewing".
inline constexpr const char* kVcOpen =
    "Visual C++ is not correctly configured for use with Sablewing for the current user.  Sablewing cannot finish "
    "configuring Visual C++ while it is open.  Please make sure that Visual C++ is closed and then click OK or click "
    "Cancel to exit.";
inline constexpr const char* kAddInNotEnabled =
    "The Sablewing Add-In was not enabled in Visual C++ due to an error writing to the registry.  You may enable the "
    "add-in manually by loading Visual C++, selecting Tools>>Customize from the menu, choosing the Add-Ins and Macro "
    "Files tab, and selecting Sablewing Add-In.";
inline constexpr const char* kNotInstalled =
    "Sablewing for Visual C++ is not correctly installed on your computer.  Please choose Repair on the TQ Sablewing "
    "entry in your Add/Remove Programs control panel or reinstall Sablewing.";
inline constexpr const char* kPathsNotSet =
    "Visual C++ was not set up to search the Sablewing paths for include files and libraries.  Try closing all other "
    "applications and running this utility again or add the VC\\Lib and VC\\Include directories to Visual C++'s "
    "search directory lists manually.";
inline constexpr const char* kReferenceNotAdded =
    "The online Sablewing Reference was not added to the Visual C++ Tools Menu.  Try closing all other applications "
    "and running this utility again.  The Sablewing Reference is also available from the Start menu at "
    "Start>>Program Files>>Vellacott>>Sablewing>>Help>>Sablewing Reference.";
inline constexpr const char* kVxipnpPathsNotSet =
    "Visual C++ was not set up to search the VXIPNPpaths for instrument driver include files and libraries.  Try "
    "closing all other applications and running this utility again or add the VXIPNP\\Win[NT|95]\\Include and "
    "VXIPNP\\Win[NT|95]\\Lib\\MSC directories to Visual C++'s search directory lists manually.";
inline constexpr const char* kDone =
    "Microsoft Visual C++ 6.0 is now set up to correctly locate Sablewing for Visual C++ files for the current user.";

// The IDE's directory lists for the sample's installation, as it writes them for a new user.
inline constexpr const char* kIdeIncludeDirs =
    "C:\\DevStudio\\VC98\\INCLUDE;C:\\DevStudio\\VC98\\MFC\\INCLUDE;C:\\DevStudio\\VC98\\ATL\\INCLUDE";
inline constexpr const char* kIdeLibraryDirs = "C:\\DevStudio\\VC98\\LIB;C:\\DevStudio\\VC98\\MFC\\LIB";
// What the configuration adds to them for the sample's product and framework.
inline constexpr const char* kProductIncludeDirs =
    ";C:\\Sablewing\\Include;C:\\Sablewing\\Instr;C:\\VXIPNP\\WinNT\\Include";
inline constexpr const char* kProductLibraryDirs = ";C:\\Sablewing\\Lib;C:\\VXIPNP\\WinNT\\lib\\msc";

inline std::string Sample(const std::string& relative) {
  return sandbox::testing::SourceRoot() + "/sample/" + relative;
}

// What a configuration leaves for a new user of the sample world: the add-in enabled from the
// IDE's AddIns folder, and the IDE's directory lists followed by the product's.
inline void ExpectAddInAndDirectories() {
  EXPECT_EQ(sandbox::RegistryGetString(kAddInKey, ""), "1");
  EXPECT_EQ(sandbox::RegistryGetString(kAddInKey, "Filename"),
            "C:\\DevStudio\\Common\\MSDev98\\AddIns\\SablewingAddIn.dll");
  EXPECT_EQ(sandbox::RegistryGetString(kDirectoriesKey, "Include Dirs"),
            std::string(kIdeIncludeDirs) + kProductIncludeDirs);
  EXPECT_EQ(sandbox::RegistryGetString(kDirectoriesKey, "Library Dirs"),
            std::string(kIdeLibraryDirs) + kProductLibraryDirs);
}

// Deletes one value (the sandbox sets values, REGEDIT4 text deletes them).
inline void DeleteValue(const std::string& key, const std::string& name) {
  ASSERT_TRUE(sandbox::RegistryImport("REGEDIT4\r\n[" + key + "]\r\n\"" + name + "\"=-\r\n"));
}

// Messages shown since the last reset, as "caption|style|text".
inline std::vector<std::string> Messages() {
  std::vector<std::string> shown;
  for (const sandbox::Modal& modal : sandbox::Modals())
    shown.push_back(modal.caption + "|" + std::to_string(modal.style) + "|" + modal.text);
  return shown;
}
inline std::string Message(const char* text, unsigned style = MB_OK) {
  return std::string("Sablewing|") + std::to_string(style) + "|" + text;
}

// Drive C: is sample/ and the registry holds the sample's machine; the user has never run the IDE.
class SampleWorld : public testing::Test {
 protected:
  void SetUp() override {
    sandbox::MapDrive('C', Sample(""));
    std::string error;
    ASSERT_TRUE(sandbox::RegistryLoad(Sample("sablewing.reg"), &error)) << error;
  }
  void TearDown() override {
    EXPECT_EQ(sandbox::UnmodelledCalls(), std::vector<std::string>{});
    sandbox::msdev::StopIde();
  }

  // The user of sample/devstudio-user.reg: has run the IDE, has five Tools entries (the old help
  // at #2) and the product's preferences key.
  static void LoadUser() {
    std::string error;
    ASSERT_TRUE(sandbox::RegistryImport(sandbox::testing::ReadHostFile(Sample("devstudio-user.reg")), &error)) << error;
  }
};

}  // namespace vcsetup_test
