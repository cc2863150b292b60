// The programs as they run on a user's machine: each its own process over the sample world, the
// registry shared through a bound file and the drives through the environment; this process
// reads the registry file afterwards.
#include <functional>

#include "sandbox/test_process.h"
#include "vcsetup_test_support.h"

namespace vcsetup_test {
namespace {

class EndToEnd : public SampleWorld {
 protected:
  void SetUp() override {
    SampleWorld::SetUp();
    // The product's preferences key, where the programs record the installation for the user.
    sandbox::RegistryImport(std::string("REGEDIT4\r\n[") + kUserKey + "]\r\n");
    registryFile_ = sandbox::MapTempDrive('T') + "/machine.reg";
    ASSERT_TRUE(sandbox::RegistrySave(registryFile_));
  }

  // Runs the program, then loads what it left in the registry file.
  int Run(const char* program) {
    const int exitCode = sandbox::testing::RunProgram(
        program, {}, {"SABLEWING_REGISTRY=" + registryFile_, sandbox::DrivesEnvironment()});
    std::string error;
    EXPECT_TRUE(sandbox::RegistryLoad(registryFile_, &error)) << error;
    return exitCode;
  }
  // Changes the registry file between two programs.
  void Change(const std::function<void()>& change) {
    change();
    ASSERT_TRUE(sandbox::RegistrySave(registryFile_));
  }

  std::string registryFile_;
};

TEST_F(EndToEnd, TheSetUpProgramConfiguresTheUserInARegistryOthersRead) {
  EXPECT_EQ(Run(SETUP_VC_FILE), 0);
  ExpectAddInAndDirectories();
  EXPECT_EQ(sandbox::RegistryGetString(kToolsKey, "MenuName#3"), "Sablewing Reference");
  EXPECT_EQ(sandbox::RegistryGetDword(kUserKey, "InstallId"), 1u);
}

TEST_F(EndToEnd, TheStarterConfiguresOncePerInstallation) {
  EXPECT_EQ(Run(START_VC_FILE), 0);
  EXPECT_TRUE(sandbox::RegistryKeyExists(kAddInKey));
  EXPECT_EQ(sandbox::RegistryGetDword(kUserKey, "InstallId"), 1u);

  // Were it configured again, the add-in's key would be back.
  Change([] { sandbox::RegistryDeleteKey(kAddInKey); });
  EXPECT_EQ(Run(START_VC_FILE), 0);
  EXPECT_FALSE(sandbox::RegistryKeyExists(kAddInKey));

  // A new installation is configured at the next start.
  Change([] { sandbox::RegistrySetDword(kProductKey, "InstallId", 2); });
  EXPECT_EQ(Run(START_VC_FILE), 0);
  EXPECT_TRUE(sandbox::RegistryKeyExists(kAddInKey));
  EXPECT_EQ(sandbox::RegistryGetDword(kUserKey, "InstallId"), 2u);
}

}  // namespace
}  // namespace vcsetup_test
