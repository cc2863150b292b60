// regsvr32 on the add-in: the keys its registrar script and its type library write, and what
// unregistering leaves.
#include <fstream>
#include <sstream>

#include <atlbase.h>
#include <statreg.h>

#include "e2e_support.h"

namespace e2e_test {
namespace {

std::string Clsid() { return std::string(kClasses) + "\\CLSID\\" + kClsidText; }

TEST_F(AddInTest, RegisteringWritesTheAddInsKeysAndItsTypeLibrary) {
  const std::string path = AddInPath();
  const std::string addIn = std::string(kAddIns) + "\\" + kProgId;
  const std::string progId = std::string(kClasses) + "\\" + kProgId;
  const std::string independent = std::string(kClasses) + "\\SABLEWINGADDIN Developer Studio Add-in";
  const std::string typeLib = std::string(kClasses) + "\\TypeLib\\" + kLibidText + "\\1.0";
  const std::string commands = std::string(kClasses) + "\\Interface\\" + kCommandsIidText;
  const char description[] = "Adds Sablewing functionality to Visual Studio.";
  struct Row {
    std::string key;
    const char* name;
    std::string value;
  };
  const Row rows[] = {
      {addIn, "", "1"},
      {addIn, "Description", description},
      {addIn, "DisplayName", "Sablewing Add-in"},
      {addIn, "Filename", path},
      {progId, "", "Sablewing Add-in"},
      {progId + "\\CLSID", "", kClsidText},
      {independent, "", "Sablewing Add-in"},
      {independent + "\\CLSID", "", kClsidText},
      {independent + "\\CurVer", "", kProgId},
      {Clsid(), "", "Sablewing Add-in"},
      {Clsid(), "Description", description},
      {Clsid() + "\\InprocServer32", "", path},
      {Clsid() + "\\InprocServer32", "ThreadingModel", "both"},
      {Clsid() + "\\ProgID", "", kProgId},
      {Clsid() + "\\VersionIndependentProgID", "", "SABLEWINGADDIN Developer Studio Add-in"},
      {typeLib, "", "SablewingAddIn Developer Studio Add-in"},
      {typeLib + "\\0\\win32", "", path},
      {commands, "", "ICommands"},
      {commands + "\\TypeLib", "", kLibidText},
  };
  for (const Row& row : rows)
    EXPECT_EQ(sandbox::RegistryGetString(row.key, row.name), row.value) << row.key << " " << row.name;
  EXPECT_TRUE(sandbox::RegistryKeyExists(Clsid() + "\\Programmable"));
  EXPECT_EQ(RegistryKeysBelow(Clsid() + "\\Programmable"), std::vector<std::string>{}) << "an empty key";
}

TEST_F(AddInTest, UnregisteringLeavesOnlyTheNoRemoveParents) {
  ASSERT_EQ(Regsvr32({"/u", "/s", AddInPath()}), kRegsvr32Done);
  EXPECT_EQ(RegistryKeysBelow("HKEY_CURRENT_USER"),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Software", "HKEY_CURRENT_USER\\Software\\Microsoft",
                                      "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio",
                                      "HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0", kAddIns}));
  // CLSID is the script's NoRemove parent; Interface and TypeLib the roots below which type
  // libraries register, emptied of the add-in's.
  EXPECT_EQ(RegistryKeysBelow(kClasses),
            (std::vector<std::string>{std::string(kClasses) + "\\CLSID", std::string(kClasses) + "\\Interface",
                                      std::string(kClasses) + "\\TypeLib"}));
}

// The add-in's own script, cut short at each of its lines: the registrar refuses every such
// script whole, before it writes a key.
TEST_F(AddInTest, AScriptCutShortWritesNothing) {
  ASSERT_EQ(Regsvr32({"/u", "/s", AddInPath()}), kRegsvr32Done);
  std::ifstream in(ADDIN_SCRIPT);
  std::stringstream script;
  script << in.rdbuf();
  const std::string text = script.str();
  const std::string before = sandbox::RegistryExport();
  int cuts = 0;
  for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
    const std::string cut = text.substr(0, at + 1);
    const std::u16string wide(cut.begin(), cut.end());
    CRegObject registrar;
    ASSERT_EQ(registrar.AddReplacement(u"MODULE", u"C:\\SablewingAddIn.dll"), S_OK);
    EXPECT_EQ(registrar.StringRegister(wide.c_str()), DISP_E_EXCEPTION) << "cut after: " << cut;
    EXPECT_EQ(sandbox::RegistryExport(), before) << "cut after: " << cut;
    ++cuts;
  }
  EXPECT_GT(cuts, 10);
}

}  // namespace
}  // namespace e2e_test
