// Registering HgWycAddIn.dll writes the keys and values of its script and its type library's;
// unregistering takes them away again.
#include "wyc_addin_test_support.h"

namespace wycaddin_test {
namespace {

constexpr char kClasses[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\";  // what HKCR shows
constexpr char kClsidKey[] = "CLSID\\{D474BB0B-7A5E-11D2-A4DB-00104B9B6FA7}";
constexpr char kLibid[] = "{D474BAFD-7A5E-11D2-A4DB-00104B9B6FA7}";

using RegistrationTest = WycAddInTest;

TEST_F(RegistrationTest, TheScriptsKeysAndValuesGoInAndOutAgain) {
  struct Row {
    std::string key;
    std::string name;
    std::string value;
  };
  const std::string clsid = std::string(kClasses) + kClsidKey;
  const Row rows[] = {
      {kAddInKey, "", "1"},
      {kAddInKey, "Description", "Adds Harrowgate/Wyc functionality to Visual Studio."},
      {kAddInKey, "DisplayName", "Harrowgate/Wyc VC AddIn"},
      {kAddInKey, "Filename", DllPath()},
      {std::string(kClasses) + "HgWycAddIn.HgWycAddIn.1", "", "Harrowgate/Wyc VC AddIn"},
      {std::string(kClasses) + "HgWycAddIn.HgWycAddIn.1\\CLSID", "", "{D474BB0B-7A5E-11D2-A4DB-00104B9B6FA7}"},
      {std::string(kClasses) + "HgWycAddIn.HgWycAddIn", "", "Harrowgate/Wyc VC AddIn"},
      {std::string(kClasses) + "HgWycAddIn.HgWycAddIn\\CLSID", "", "{D474BB0B-7A5E-11D2-A4DB-00104B9B6FA7}"},
      {std::string(kClasses) + "HgWycAddIn.HgWycAddIn\\CurVer", "", "HgWycAddIn.HgWycAddIn.1"},
      {clsid, "", "Harrowgate/Wyc VC AddIn"},
      {clsid, "Description", "Adds Harrowgate/Wyc functionality to Visual Studio."},
      {clsid + "\\ProgID", "", "HgWycAddIn.HgWycAddIn.1"},
      {clsid + "\\VersionIndependentProgID", "", "HgWycAddIn.HgWycAddIn"},
      {clsid + "\\InprocServer32", "", DllPath()},
      {clsid + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {clsid + "\\TypeLib", "", kLibid},
      {std::string(kClasses) + "TypeLib\\" + kLibid + "\\1.0", "", "HgWycAddIn 1.0 Type Library"},
      {std::string(kClasses) + "TypeLib\\" + kLibid + "\\1.0\\0\\win32", "", DllPath()},
      {std::string(kClasses) + "Interface\\{D474BB0A-7A5E-11D2-A4DB-00104B9B6FA7}", "", "IHgWycAddIn"},
      {std::string(kClasses) + "Interface\\{D474BB0A-7A5E-11D2-A4DB-00104B9B6FA7}\\ProxyStubClsid32", "",
       "{00020424-0000-0000-C000-000000000046}"},
      {std::string(kClasses) + "Interface\\{D474BB0A-7A5E-11D2-A4DB-00104B9B6FA7}\\TypeLib", "", kLibid},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key + " " + row.name);
    EXPECT_EQ(sandbox::RegistryGetString(row.key, row.name), row.value);
  }

  ASSERT_EQ(Regsvr32({"/s", "/u", DllPath()}), kRegsvr32Done);
  for (const char* gone : {kAddInKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\HgWycAddIn.HgWycAddIn.1",
                           "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\HgWycAddIn.HgWycAddIn"})
    EXPECT_FALSE(sandbox::RegistryKeyExists(gone)) << gone;
  EXPECT_FALSE(sandbox::RegistryKeyExists(clsid));
  EXPECT_FALSE(sandbox::RegistryKeyExists(std::string(kClasses) + "TypeLib\\" + kLibid));
  EXPECT_FALSE(sandbox::RegistryKeyExists(std::string(kClasses) + "Interface\\{D474BB0A-7A5E-11D2-A4DB-00104B9B6FA7}"));
  EXPECT_TRUE(sandbox::RegistryKeyExists("HKEY_CURRENT_USER\\Software\\Microsoft\\DevStudio\\6.0\\AddIns"))
      << "the script's NoRemove keys stay";
  EXPECT_EQ(LoadedDll(), nullptr) << "regsvr32 freed it";
}

}  // namespace
}  // namespace wycaddin_test
