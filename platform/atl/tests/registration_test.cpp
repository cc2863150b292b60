// regsvr32 on the test server: the keys its registrar script and its type library write, what
// /u leaves, a script that does not parse, and the program's exit codes and messages.
#include "atl_test_support.h"
#include "regsvr32.h"
#include "sandbox/test_process.h"

namespace atl_test {
namespace {

class RegistrationTest : public AtlTest {
 protected:
  // regsvr32.exe as its own process over a registry file holding this process's registry, which
  // is read back afterwards.
  int RunProgram(const std::vector<std::string>& arguments) {
    const std::string file = sandbox::MapTempDrive('R') + "/registry.reg";
    std::string error;
    EXPECT_TRUE(sandbox::RegistrySave(file, &error)) << error;
    const int exitCode = sandbox::testing::RunProgram(REGSVR32_FILE, arguments, {"SABLEWING_REGISTRY=" + file});
    EXPECT_TRUE(sandbox::RegistryLoad(file, &error)) << error;
    return exitCode;
  }
  static std::string Clsid() { return std::string(kClasses) + "\\CLSID\\" + kClsidText; }
};

TEST_F(RegistrationTest, RegisteringWritesTheScriptsKeysAndTheTypeLibrary) {
  ASSERT_EQ(RunProgram({"/s", ServerPath()}), 0);
  const std::string path = ServerPath();
  const std::string addIn = std::string(kAddIns) + "\\AtlTest.AddIn.1";
  const std::string typeLib = std::string(kClasses) + "\\TypeLib\\" + kLibidText + "\\1.0";
  const std::string dual = std::string(kClasses) + "\\Interface\\" + kAddInIidText;
  const std::string dispatch = std::string(kClasses) + "\\Interface\\" + kCommandsIidText;
  struct Row {
    std::string key;
    const char* name;
    std::string value;
  };
  const Row rows[] = {
      {addIn, "", "1"},
      {addIn, "Description", "Adds the ATL test's commands to Developer Studio."},
      {addIn, "DisplayName", "ATL Test Add-in"},
      {addIn, "Filename", path},
      {std::string(kClasses) + "\\AtlTest.AddIn.1", "", "ATL Test Add-in"},
      {std::string(kClasses) + "\\AtlTest.AddIn.1\\CLSID", "", kClsidText},
      {std::string(kClasses) + "\\AtlTest.AddIn\\CLSID", "", kClsidText},
      {std::string(kClasses) + "\\AtlTest.AddIn\\CurVer", "", "AtlTest.AddIn.1"},
      {Clsid(), "", "ATL Test Add-in"},
      {Clsid() + "\\ProgID", "", "AtlTest.AddIn.1"},
      {Clsid() + "\\VersionIndependentProgID", "", "AtlTest.AddIn"},
      {Clsid() + "\\InprocServer32", "", path},
      {Clsid() + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {Clsid() + "\\TypeLib", "", kLibidText},
      {typeLib, "", "AtlTest 1.0 Type Library"},
      {typeLib + "\\FLAGS", "", "0"},
      {typeLib + "\\HELPDIR", "", path.substr(0, path.find_last_of('\\') + 1)},
      {typeLib + "\\0\\win32", "", path},
      {dual, "", "ITestAddIn"},
      {dual + "\\ProxyStubClsid32", "", "{00020424-0000-0000-C000-000000000046}"},
      {dual + "\\TypeLib", "", kLibidText},
      {dual + "\\TypeLib", "Version", "1.0"},
      {dispatch, "", "ITestCommands"},
      {dispatch + "\\ProxyStubClsid", "", "{00020420-0000-0000-C000-000000000046}"},
      {dispatch + "\\ProxyStubClsid32", "", "{00020420-0000-0000-C000-000000000046}"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(sandbox::RegistryGetString(row.key, row.name), row.value) << row.key << " " << row.name;
  EXPECT_TRUE(sandbox::RegistryKeyExists(Clsid() + "\\Programmable"));
}

TEST_F(RegistrationTest, UnregisteringLeavesOnlyTheNoRemoveParents) {
  ASSERT_EQ(RunProgram({"/s", ServerPath()}), 0);
  ASSERT_EQ(RunProgram({"/u", "/s", ServerPath()}), 0);
  EXPECT_EQ(RegistryKeysBelow("HKEY_CURRENT_USER"),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Software", "HKEY_CURRENT_USER\\Software\\Microsoft",
                                      "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio",
                                      "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0", kAddIns}));
  // CLSID is the script's NoRemove parent; Interface and TypeLib the roots under which type
  // libraries register, which unregistering one never removes.
  EXPECT_EQ(RegistryKeysBelow(kClasses),
            (std::vector<std::string>{std::string(kClasses) + "\\CLSID", std::string(kClasses) + "\\Interface",
                                      std::string(kClasses) + "\\TypeLib"}));

  // Where others' keys lie beside the server's, unregistering gives back the registry as it was.
  sandbox::RegistrySetString(std::string(kAddIns) + "\\Other.AddIn.1", "", "1");
  sandbox::RegistrySetString(std::string(kClasses) + "\\CLSID\\{00000000-0000-0000-0000-000000000001}", "", "x");
  sandbox::RegistrySetString(std::string(kClasses) + "\\Interface\\{00000000-0000-0000-0000-000000000002}\\TypeLib",
                             "", "{00000000-0000-0000-0000-000000000003}");
  const std::string before = sandbox::RegistryExport();
  ASSERT_EQ(RunProgram({"/s", ServerPath()}), 0);
  ASSERT_EQ(RunProgram({"-U", "-S", ServerPath()}), 0);
  EXPECT_EQ(sandbox::RegistryExport(), before);
}

TEST_F(RegistrationTest, AServerWhoseScriptDoesNotParseRegistersNothing) {
  const std::string before = sandbox::RegistryExport();
  EXPECT_EQ(RunProgram({"/s", BadServerPath()}), kRegsvr32EntryPointFailed);
  EXPECT_EQ(sandbox::RegistryExport(), before);

  // In-process, the box says what and where.
  sandbox::QueueAnswer("MessageBox", IDOK);
  EXPECT_EQ(Regsvr32({BadServerPath()}), kRegsvr32EntryPointFailed);
  EXPECT_EQ(sandbox::RegistryExport(), before);
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].caption, "RegSvr32");
  EXPECT_EQ(modals[0].text, "DllRegisterServer in " + BadServerPath() +
                                " failed.\nReturn code was: 0x80020009\n"
                                "REGISTRY 101 line 45: \"x\" is not a value type (s for a string, d for a number)");
}

TEST_F(RegistrationTest, ExitCodesAndWhatTheBoxesSay) {
  sandbox::HideExport("AtlBadServer.dll", "DllUnregisterServer");
  struct Row {
    std::vector<std::string> arguments;
    int exitCode;
    std::string says;  // the start of the box's text; "" for none
  };
  const Row rows[] = {
      {{ServerPath()}, kRegsvr32Done, "DllRegisterServer in " + ServerPath() + " succeeded."},
      {{"/u", ServerPath()}, kRegsvr32Done, "DllUnregisterServer in " + ServerPath() + " succeeded."},
      {{"/s", ServerPath()}, kRegsvr32Done, ""},
      {{}, kRegsvr32BadArguments, "Usage: regsvr32 [/u] [/s] dllname"},
      {{"/x", ServerPath()}, kRegsvr32BadArguments, "Usage: regsvr32"},
      {{ServerPath(), ServerPath()}, kRegsvr32BadArguments, "Usage: regsvr32"},
      {{"Z:\\no\\such.dll"}, kRegsvr32LoadFailed, "LoadLibrary(\"Z:\\no\\such.dll\") failed - "},
      {{"/u", BadServerPath()}, kRegsvr32NoEntryPoint,
       BadServerPath() + " was loaded, but the DllUnregisterServer entry point was not found."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.arguments.size() << " arguments, exit " << row.exitCode);
    sandbox::ClearModals();
    if (!row.says.empty()) sandbox::QueueAnswer("MessageBox", IDOK);
    EXPECT_EQ(Regsvr32(row.arguments), row.exitCode);
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), row.says.empty() ? 0u : 1u);
    if (!modals.empty()) {
      EXPECT_EQ(modals[0].caption, "RegSvr32");
      EXPECT_EQ(modals[0].text.rfind(row.says, 0), 0u) << modals[0].text;
    }
  }
  for (const sandbox::LoadedModule& module : sandbox::LoadedModules())
    EXPECT_EQ(module.path.find("Server.dll"), std::string::npos) << module.path << " is still loaded";
}

}  // namespace
}  // namespace atl_test
