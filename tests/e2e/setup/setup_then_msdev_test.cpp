// The set-up program and then Developer Studio, each its own process over one registry file, as
// on a user's machine: the installer registered SablewingAddIn.dll (its classes for the machine;
// the installer's own HKCU is not the user's), the set-up program configures the user, and the
// IDE the msdev program starts loads the add-in from the user's AddIns key the set-up program
// wrote.
#include <objbase.h>

#include <filesystem>

#include "regsvr32.h"
#include "sandbox/test_process.h"
#include "vcsetup_test_support.h"

namespace e2e_setup_test {
namespace {

using namespace vcsetup_test;

class SetUpThenMsdev : public SampleWorld {};

TEST_F(SetUpThenMsdev, TheIdeLoadsTheAddInTheSetUpProgramEnabled) {
  // The installer: the add-in registered by regsvr32, the AddIns key it writes for the
  // registering user gone, and the product's per-user key the programs record the id in.
  ASSERT_EQ(::CoInitialize(NULL), S_OK);
  const std::string addIn = sandbox::WindowsPath(ADDIN_FILE);
  ASSERT_EQ(Regsvr32({"/s", addIn}), kRegsvr32Done);
  ::CoUninitialize();
  sandbox::RegistryDeleteKey(kAddInKey);
  ASSERT_TRUE(sandbox::RegistryImport(std::string("REGEDIT4\r\n[") + kUserKey + "]\r\n"));
  const std::string temp = sandbox::MapTempDrive('T');
  const std::string registry = temp + "/machine.reg";
  ASSERT_TRUE(sandbox::RegistrySave(registry));
  const std::string shared = "SABLEWING_REGISTRY=" + registry;

  EXPECT_EQ(sandbox::testing::RunProgram(SETUP_VC_FILE, {}, {shared, sandbox::DrivesEnvironment()}), 0);

  const std::string answers = temp + "/answers.txt";
  sandbox::testing::WriteHostFile(answers, "# nothing but the opening\n");
  std::string output;
  EXPECT_EQ(sandbox::testing::RunProgram(MSDEV_FILE, {"--answers", answers},
                                         {shared, "SABLEWING_MSDEV_RUN=" + temp + "/run"}, &output),
            0)
      << output;
  EXPECT_EQ(output,
            "Workspace Thermo.dsw\n"
            "SablewingAddIn.dll is registered\n"
            "Developer Studio loaded SablewingAddIn.DSAddIn.1 for the first time: 3 commands, toolbar \"Sablewing\"\n"
            "Open Thermo.dsw\n"
            "\n"
            "No project file changed.\n"
            "No backups were made.\n");

  // What the two left for the user, the msdev program having changed none of it.
  std::string error;
  ASSERT_TRUE(sandbox::RegistryLoad(registry, &error)) << error;
  ExpectAddInAndDirectories();
}

}  // namespace
}  // namespace e2e_setup_test
