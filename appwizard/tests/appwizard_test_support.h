// What the host's and the plug-in's tests share: the probe plug-ins built from one source, and an
// installation on drive C: whose "appwizards" folder the tests fill.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"
#include "sandbox/wizard.h"

namespace appwizard_test {

const char kProductKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Sablewing\\VC";
const char kPlugInFolder[] = "C:\\Sablewing\\appwizards\\";

// The probe plug-ins' files (tests/probe): each names its object, some misbehave.
const char kProbeMfcExe[] = "ProbeMfcExe.dll";          // "TQ MFC EXE AppWizard"
const char kProbeMfcDll[] = "ProbeMfcDll.dll";          // "TQ MFC DLL AppWizard"
const char kProbeWyc[] = "ProbeWyc.dll";                // "TQ Wyc AppWizard"
const char kProbeCase[] = "ProbeCase.dll";              // "TQ MFC DLL Appwizard"
const char kProbeBlank[] = "ProbeBlank.dll";            // "TQ MFC DLL AppWizard "
const char kProbeFailDllMain[] = "ProbeFailDllMain.dll";  // its DllMain refuses the load
const char kProbeNullObject[] = "ProbeNullObject.dll";    // GetAppWizard hands out null
const char kProbeThrowInit[] = "ProbeThrowInit.dll";      // "TQ Wyc AppWizard", Init throws
const char kProbeRefuseTemplates[] = "ProbeRefuseTemplates.dll";  // "TQ Wyc AppWizard", LoadTemplate FALSE

inline std::string BuiltModule(const std::string& file) { return sandbox::WindowsPath(std::string(MODULES_FOLDER) + "/" + file); }

// The probes' lines of the debugger output, in order, without the files' names' prefix "Probe ".
inline std::vector<std::string> ProbeNotes() {
  std::vector<std::string> notes;
  for (const std::string& line : sandbox::DebugOutput())
    if (line.rfind("Probe ", 0) == 0) notes.push_back(line.substr(6));
  return notes;
}

// Whether a module of that folder (a Windows path ending in a backslash) is still mapped.
inline bool AnyModuleFrom(const std::string& folder) {
  for (const sandbox::LoadedModule& module : sandbox::LoadedModules())
    if (_strnicmp(module.path.c_str(), folder.c_str(), folder.size()) == 0) return true;
  return false;
}

// Drive C: a fresh folder with the product folder C:\Sablewing and its empty plug-in folder;
// InstallDir names the product folder.
class InstallationTest : public sandbox::testing::TempDriveTest<'C'> {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    ASSERT_TRUE(CreateDirectory("C:\\Sablewing", nullptr));
    ASSERT_TRUE(CreateDirectory("C:\\Sablewing\\appwizards", nullptr));
    sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\Sablewing");
  }
  // A built module copied into the plug-in folder under `name`.
  void PlacePlugIn(const std::string& module, const std::string& name) {
    ASSERT_TRUE(CopyFile(BuiltModule(module).c_str(), (kPlugInFolder + name).c_str(), TRUE)) << module;
  }
};

}  // namespace appwizard_test

namespace appwizard_test {

const char kTemplateFolder[] = "C:\\DevStudio\\Common\\MSDev98\\Template";

// The user's choices in the New Project dialog: the host, a project "Thermo" in C:\Projects.
inline sandbox::Answer NewProjectAnswer(int result = IDOK, bool macintoshToo = false) {
  return {result, "", [macintoshToo](void* dialog) {
            sandbox::SelectItem(dialog, sandbox::msdev::kNewProjectTypes, "SablewingAppWizard");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectName, "Thermo");
            sandbox::TypeText(dialog, sandbox::msdev::kNewProjectLocation, "C:\\Projects");
            if (macintoshToo) sandbox::SetCheck(dialog, sandbox::msdev::kNewProjectOther, BST_CHECKED);
          }};
}

inline HWND FrameItem(void* frame, int id) { return GetDlgItem(static_cast<HWND>(frame), id); }
inline HWND StepItem(void* frame, int id) { return GetDlgItem(static_cast<HWND>(sandbox::WizardStep(frame)), id); }
inline bool Enabled(HWND window) { return window != nullptr && IsWindowEnabled(window); }
inline bool Visible(HWND window) { return window != nullptr && IsWindowVisible(window); }

// The installation with the IDE's own template folder holding SablewingAppWizard.awx (found
// through VsCommonDir) and the IDE running; the product's catalogue folder is empty.
class HostWizardTest : public InstallationTest {
 protected:
  void SetUp() override {
    InstallationTest::SetUp();
    sandbox::SetClock(946684800000);  // 2000-01-01 00:00:00 UTC
    ASSERT_TRUE(CreateDirectory("C:\\Sablewing\\Components", nullptr));
    sandbox::RegistrySetString("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\VisualStudio\\6.0\\Setup", "VsCommonDir",
                               "C:\\DevStudio\\Common");
    for (const char* folder : {"C:\\DevStudio", "C:\\DevStudio\\Common", "C:\\DevStudio\\Common\\MSDev98", kTemplateFolder})
      ASSERT_TRUE(CreateDirectory(folder, nullptr));
    ASSERT_TRUE(CopyFile(BuiltModule("SablewingAppWizard.awx").c_str(),
                         (std::string(kTemplateFolder) + "\\SablewingAppWizard.awx").c_str(), TRUE));
    sandbox::msdev::StartIde();
  }

  bool Run(std::string* error = nullptr) {
    sandbox::ClearDebugOutput();
    return sandbox::msdev::NewProject(error);
  }

  // The message boxes shown so far, in order.
  static std::vector<sandbox::Modal> Boxes() {
    std::vector<sandbox::Modal> boxes;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "MessageBox") boxes.push_back(modal);
    return boxes;
  }
};

}  // namespace appwizard_test
