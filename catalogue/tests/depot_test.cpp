// The installation-information depot: the path getters over the registry and the platform, the
// include-directory and VISA tests, loading the sample installation and small generated ones
// (bad files, duplicates, dependency links), the optional dump, and the folder browse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <shlobj.h>
#include <windows.h>

#include "InformationDepot.h"
#include "InformationDepotException.h"
#include "sandbox/sandbox.h"

namespace {

namespace fs = std::filesystem;

const char kProductKey[] = "HKLM\\Software\\Vellacott\\Sablewing\\VC";
const char kVxipnpKey[] = "HKLM\\SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion";
const char kDirectoriesKey[] =
    "HKCU\\Software\\Microsoft\\DevStudio\\6.0\\Build System\\Components\\Platforms\\Win32 (x86)\\Directories";

std::string Str(const CString& s) { return std::string(static_cast<LPCTSTR>(s)); }
std::string Str(const CPath& p) { return Str(p.GetString()); }

std::string SourceDir() {
  const char* source = std::getenv("SABLEWING_SOURCE_DIR");
  return source ? source : "";
}

std::string ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteHostFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Names(const std::vector<CComponent*>& records) {
  std::vector<std::string> names;
  for (const CComponent* record : records) names.push_back(Str(record->ComponentName));
  return names;
}

std::vector<std::string> Names(const std::vector<CComponent>& records) {
  std::vector<std::string> names;
  for (const CComponent& record : records) names.push_back(Str(record.ComponentName));
  return names;
}

std::string CurrentDirectory() {
  char buffer[MAX_PATH] = "";
  GetCurrentDirectory(sizeof buffer, buffer);
  return buffer;
}

// --- Path getters ----------------------------------------------------------------------------

TEST(DepotPaths, VxipnpPathsFollowTheRegistryAndThePlatform) {
  const struct {
    const char* name;
    bool nt;
    const char* value;  // VXIPNPPATH, or null for no value
    const char* path;
    const char* include;
    const char* lib;
    const char* iviIni;
  } rows[] = {
      {.name = "no framework", .nt = true, .value = nullptr, .path = "", .include = "", .lib = "", .iviIni = ""},
      {.name = "empty value", .nt = true, .value = "", .path = "", .include = "", .lib = "", .iviIni = ""},
      {.name = "NT, trailing backslash", .nt = true, .value = "C:\\VXIPNP\\", .path = "C:\\VXIPNP\\WinNT",
       .include = "C:\\VXIPNP\\WinNT\\Include", .lib = "C:\\VXIPNP\\WinNT\\lib\\Msc",
       .iviIni = "C:\\VXIPNP\\WinNT\\tqivi\\ivi.ini"},
      {.name = "Windows 95", .nt = false, .value = "C:\\VXIPNP", .path = "C:\\VXIPNP\\Win95",
       .include = "C:\\VXIPNP\\Win95\\Include", .lib = "C:\\VXIPNP\\Win95\\lib\\Msc",
       .iviIni = "C:\\VXIPNP\\Win95\\tqivi\\ivi.ini"},
      {.name = "drive root", .nt = true, .value = "D:\\", .path = "D:\\WinNT", .include = "D:\\WinNT\\Include",
       .lib = "D:\\WinNT\\lib\\Msc", .iviIni = "D:\\WinNT\\tqivi\\ivi.ini"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    if (!row.nt) sandbox::SetWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222);
    if (row.value) sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", row.value);
    CInformationDepot depot;
    EXPECT_EQ(depot.IsWindowsNT(), row.nt);
    EXPECT_EQ(Str(depot.GetVXIPNPPath()), row.path);
    EXPECT_EQ(Str(depot.GetVXIPNPIncludePath()), row.include);
    EXPECT_EQ(Str(depot.GetVXIPNPLibPath()), row.lib);
    EXPECT_EQ(Str(depot.GetIviIniPath()), row.iviIni);
  }
}

TEST(DepotPaths, ProductPathsAndTheHelpFolder) {
  const struct {
    const char* installDir;  // null for no value
    const char* product;
    const char* instr;
    const char* include;
    const char* help;
    const char* appWizards;
    const char* components;
  } rows[] = {
      // Unknown product: the bare names, as the product path is not tested for emptiness.
      {.installDir = nullptr, .product = "", .instr = "instr", .include = "Include", .help = "Help",
       .appWizards = "appwizards", .components = "Components"},
      {.installDir = "C:\\Sablewing\\VC\\", .product = "C:\\Sablewing\\VC", .instr = "C:\\Sablewing\\VC\\instr",
       .include = "C:\\Sablewing\\VC\\Include", .help = "C:\\Sablewing\\Help",
       .appWizards = "C:\\Sablewing\\VC\\appwizards", .components = "C:\\Sablewing\\VC\\Components"},
      // Only a last folder named VC goes, in any case; "vc" inside other names stays.
      {.installDir = "D:\\vcstuff\\VC", .product = "D:\\vcstuff\\VC", .instr = "D:\\vcstuff\\VC\\instr",
       .include = "D:\\vcstuff\\VC\\Include", .help = "D:\\vcstuff\\Help",
       .appWizards = "D:\\vcstuff\\VC\\appwizards", .components = "D:\\vcstuff\\VC\\Components"},
      {.installDir = "E:\\Tools\\vc", .product = "E:\\Tools\\vc", .instr = "E:\\Tools\\vc\\instr",
       .include = "E:\\Tools\\vc\\Include", .help = "E:\\Tools\\Help", .appWizards = "E:\\Tools\\vc\\appwizards",
       .components = "E:\\Tools\\vc\\Components"},
      {.installDir = "E:\\VC\\Sablewing", .product = "E:\\VC\\Sablewing", .instr = "E:\\VC\\Sablewing\\instr",
       .include = "E:\\VC\\Sablewing\\Include", .help = "E:\\VC\\Sablewing\\Help",
       .appWizards = "E:\\VC\\Sablewing\\appwizards", .components = "E:\\VC\\Sablewing\\Components"},
      {.installDir = "E:\\Sablewing\\VCX", .product = "E:\\Sablewing\\VCX", .instr = "E:\\Sablewing\\VCX\\instr",
       .include = "E:\\Sablewing\\VCX\\Include", .help = "E:\\Sablewing\\VCX\\Help",
       .appWizards = "E:\\Sablewing\\VCX\\appwizards", .components = "E:\\Sablewing\\VCX\\Components"},
      {.installDir = "F:\\", .product = "F:", .instr = "F:\\instr", .include = "F:\\Include", .help = "F:\\Help",
       .appWizards = "F:\\appwizards", .components = "F:\\Components"},
      {.installDir = "F:\\VC", .product = "F:\\VC", .instr = "F:\\VC\\instr", .include = "F:\\VC\\Include",
       .help = "F:\\Help", .appWizards = "F:\\VC\\appwizards", .components = "F:\\VC\\Components"},
      {.installDir = "\\\\lab\\tools\\Sablewing\\VC", .product = "\\\\lab\\tools\\Sablewing\\VC",
       .instr = "\\\\lab\\tools\\Sablewing\\VC\\instr", .include = "\\\\lab\\tools\\Sablewing\\VC\\Include",
       .help = "\\\\lab\\tools\\Sablewing\\Help", .appWizards = "\\\\lab\\tools\\Sablewing\\VC\\appwizards",
       .components = "\\\\lab\\tools\\Sablewing\\VC\\Components"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.installDir ? row.installDir : "(none)");
    sandbox::Reset();
    if (row.installDir) sandbox::RegistrySetString(kProductKey, "InstallDir", row.installDir);
    CInformationDepot depot;
    EXPECT_EQ(Str(depot.GetProductPath()), row.product);
    EXPECT_EQ(Str(depot.GetProductInstrPath()), row.instr);
    EXPECT_EQ(Str(depot.GetProductIncludePath()), row.include);
    EXPECT_EQ(Str(depot.GetHelpPath()), row.help);
    EXPECT_EQ(Str(depot.GetAppWizardsPath()), row.appWizards);
    EXPECT_EQ(Str(depot.GetComponentsPath()), row.components);
  }
}

TEST(DepotPaths, WycInstallationKeysInTheirOrder) {
  const struct {
    const char* name;
    std::vector<std::pair<const char*, const char*>> keys;  // HKLM key below Vellacott, InstallDir
    const char* wyc;
    const char* instr;
    const char* iviClass;
  } rows[] = {
      {.name = "none", .keys = {}, .wyc = "", .instr = "", .iviClass = ""},
      {.name = "demo only", .keys = {{"Wyc_Demo\\6.0", "D:\\WycDemo"}}, .wyc = "D:\\WycDemo",
       .instr = "D:\\WycDemo\\instr", .iviClass = "D:\\WycDemo\\instr\\iviclass"},
      {.name = "full edition wins over the demo",
       .keys = {{"Wyc_Demo\\6.0", "D:\\WycDemo"}, {"Wyc\\6.0", "C:\\Wyc\\"}}, .wyc = "C:\\Wyc",
       .instr = "C:\\Wyc\\instr", .iviClass = "C:\\Wyc\\instr\\iviclass"},
      {.name = "older versions after the demo", .keys = {{"Wyc\\5.0", "C:\\Wyc50"}, {"Wyc\\5.5", "C:\\Wyc55"}},
       .wyc = "C:\\Wyc55", .instr = "C:\\Wyc55\\instr", .iviClass = "C:\\Wyc55\\instr\\iviclass"},
      {.name = "a version not looked for", .keys = {{"Wyc\\7.0", "C:\\Wyc70"}}, .wyc = "", .instr = "",
       .iviClass = ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    for (const auto& [key, dir] : row.keys)
      sandbox::RegistrySetString(std::string("HKLM\\SOFTWARE\\Vellacott\\") + key, "InstallDir", dir);
    CInformationDepot depot;
    EXPECT_EQ(Str(depot.GetWycPath()), row.wyc);
    EXPECT_EQ(Str(depot.GetWycInstrPath()), row.instr);
    EXPECT_EQ(Str(depot.GetWycIviClassPath()), row.iviClass);
  }
}

TEST(DepotPaths, FoundPathsAreKeptAndMissingOnesLookedUpAgain) {
  CInformationDepot depot;
  EXPECT_EQ(Str(depot.GetProductPath()), "");
  EXPECT_EQ(Str(depot.GetVXIPNPPath()), "");
  sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\First");
  sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "C:\\VXIPNP");
  sandbox::RegistrySetString("HKLM\\SOFTWARE\\Vellacott\\Wyc\\6.0", "InstallDir", "C:\\Wyc");
  EXPECT_EQ(Str(depot.GetProductPath()), "C:\\First") << "an empty path is read again";
  EXPECT_EQ(Str(depot.GetVXIPNPPath()), "C:\\VXIPNP\\WinNT");
  EXPECT_EQ(Str(depot.GetWycPath()), "C:\\Wyc");
  sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\Second");
  sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "D:\\Other");
  sandbox::RegistryDeleteKey("HKLM\\SOFTWARE\\Vellacott\\Wyc");
  // The platform is asked when the value is found, never again.
  sandbox::SetWindowsVersion(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222);
  EXPECT_EQ(Str(depot.GetProductPath()), "C:\\First") << "a found path is kept for the depot's life";
  EXPECT_EQ(Str(depot.GetVXIPNPPath()), "C:\\VXIPNP\\WinNT");
  EXPECT_EQ(Str(depot.GetWycPath()), "C:\\Wyc");
  EXPECT_FALSE(depot.IsWindowsNT()) << "the platform test itself asks every time";
}

TEST(DepotPaths, RegistryFailuresLeaveThePathEmpty) {
  const struct {
    const char* name;
    const char* operation;
    long error;
    uint32_t type;
  } rows[] = {
      {.name = "key cannot be opened", .operation = "create", .error = ERROR_ACCESS_DENIED, .type = REG_SZ},
      {.name = "value cannot be read", .operation = "query", .error = ERROR_ACCESS_DENIED, .type = REG_SZ},
      {.name = "not a string", .operation = nullptr, .error = 0, .type = REG_EXPAND_SZ},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\Sablewing", row.type);
    sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "C:\\VXIPNP", row.type);
    if (row.operation) {
      sandbox::RegistryInjectFailure(kProductKey, row.operation, row.error);
      sandbox::RegistryInjectFailure(kVxipnpKey, row.operation, row.error);
    }
    CInformationDepot depot;
    EXPECT_EQ(Str(depot.GetProductPath()), "");
    EXPECT_EQ(Str(depot.GetVXIPNPPath()), "");
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u) << "no key stays open after a failure";
  }
}

TEST(DepotPaths, WycInstrDirectoryInDeveloperStudioIncludeDirs) {
  const struct {
    const char* name;
    const char* wyc;          // Wyc 6.0 InstallDir, null for none
    bool directoriesKey;      // Developer Studio's Directories key exists
    const char* includeDirs;  // its "Include Dirs", null for none
    bool expected;
  } rows[] = {
      {.name = "no Directories key", .wyc = "C:\\Wyc", .directoriesKey = false, .includeDirs = nullptr,
       .expected = false},
      {.name = "listed", .wyc = "C:\\Wyc", .directoriesKey = true,
       .includeDirs = "C:\\VC98\\INCLUDE;C:\\Wyc\\instr;C:\\VC98\\MFC\\INCLUDE", .expected = true},
      {.name = "listed in upper case", .wyc = "C:\\Wyc", .directoriesKey = true,
       .includeDirs = "C:\\VC98\\INCLUDE;C:\\WYC\\INSTR", .expected = true},
      {.name = "a substring is enough", .wyc = "C:\\Wyc", .directoriesKey = true,
       .includeDirs = "C:\\Wyc\\instruments", .expected = true},
      {.name = "not listed", .wyc = "C:\\Wyc", .directoriesKey = true, .includeDirs = "C:\\VC98\\INCLUDE",
       .expected = false},
      {.name = "no value", .wyc = "C:\\Wyc", .directoriesKey = true, .includeDirs = nullptr, .expected = false},
      {.name = "no Wyc: empty path is in any value", .wyc = nullptr, .directoriesKey = true,
       .includeDirs = "C:\\VC98\\INCLUDE", .expected = true},
      {.name = "no Wyc and no value", .wyc = nullptr, .directoriesKey = true, .includeDirs = nullptr,
       .expected = true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    if (row.wyc) sandbox::RegistrySetString("HKLM\\SOFTWARE\\Vellacott\\Wyc\\6.0", "InstallDir", row.wyc);
    if (row.directoriesKey) sandbox::RegistrySetString(kDirectoriesKey, "Library Dirs", "C:\\VC98\\LIB");
    if (row.includeDirs) sandbox::RegistrySetString(kDirectoriesKey, "Include Dirs", row.includeDirs);
    CInformationDepot depot;
    EXPECT_EQ(depot.IsWycInstrPathInIncludeDirs(), row.expected);
  }
}

// --- Installations on disk -------------------------------------------------------------------

// A minimal description file: name, namespace, dependencies.
std::string Description(const std::string& name, const std::string& ns, const std::vector<std::string>& deps = {},
                        bool selectedByDefault = false) {
  std::string xml = "<?xml version=\"1.0\"?>\r\n<Component><Hidden>0</Hidden><SelectedByDefault>" +
                    std::string(selectedByDefault ? "1" : "0") + "</SelectedByDefault><ComponentName>" + name +
                    "</ComponentName><Category>Core Components</Category><Namespace>" + ns +
                    "</Namespace><ComponentDependancies>";
  for (const std::string& dep : deps) xml += "<ComponentDependancies>" + dep + "</ComponentDependancies>";
  return xml + "</ComponentDependancies></Component>\r\n";
}

// An installation built on the temporary drive T: (product T:\Sablewing, framework T:\VXIPNP,
// Wyc T:\Wyc) with the registry pointing at it.
class DepotInstallation : public testing::Test {
 protected:
  void SetUp() override {
    host_ = sandbox::MapTempDrive('T');
    fs::create_directories(host_ / "Sablewing" / "Components");
    sandbox::RegistrySetString(kProductKey, "InstallDir", "T:\\Sablewing");
  }

  void AddDescription(const std::string& file, const std::string& xml) {
    WriteHostFile(host_ / "Sablewing" / "Components" / file, xml);
  }
  // A framework driver: header, import library and function panel file.
  void AddFrameworkDriver(const std::string& name) {
    sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "T:\\VXIPNP\\");
    WriteHostFile(host_ / "VXIPNP" / "WinNT" / "include" / (name + ".h"), "/* driver */\r\n");
    WriteHostFile(host_ / "VXIPNP" / "WinNT" / "lib" / "Msc" / (name + ".lib"), "!<arch>\n");
    WriteHostFile(host_ / "VXIPNP" / "WinNT" / name / (name + ".fp"), "FP");
  }
  // A driver of the product's own instrument directory, compiled from its C source.
  void AddProductDriver(const std::string& name) {
    WriteHostFile(host_ / "Sablewing" / "instr" / (name + ".h"), "/* driver */\r\n");
    WriteHostFile(host_ / "Sablewing" / "instr" / (name + ".c"), "/* source */\r\n");
    WriteHostFile(host_ / "Sablewing" / "instr" / (name + ".fp"), "FP");
  }

  std::vector<sandbox::Modal> MessageBoxes() {
    std::vector<sandbox::Modal> boxes;
    for (const sandbox::Modal& modal : sandbox::Modals())
      if (modal.kind == "MessageBox") boxes.push_back(modal);
    return boxes;
  }

  fs::path host_;
  CInformationDepot depot_;
};

TEST_F(DepotInstallation, BadDescriptionFileIsReportedAndSkipped) {
  AddDescription("Alpha.xml", Description("Alpha", "TqA"));
  WriteHostFile(host_ / "Sablewing" / "Components" / "Broken.xml",
                ReadHostFile(SourceDir() + "/sample/bad/Truncated.xml"));
  AddDescription("Gamma.xml", Description("Gamma", "TqG", {"Alpha"}));
  fs::create_directories(host_ / "Sablewing" / "Components" / "Old.xml");  // a folder is no file
  sandbox::QueueAnswer("MessageBox", {IDOK, {}});
  depot_.LoadComponents(NULL);
  EXPECT_EQ(Names(depot_.GetComponents()), (std::vector<std::string>{"Alpha", "Gamma"}));
  const std::vector<sandbox::Modal> boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "Sablewing could not load\nT:\\Sablewing\\Components\\Broken.xml\n"
            "Please install the component again or delete the file.");
  EXPECT_EQ(boxes[0].caption, "Sablewing");
  EXPECT_EQ(boxes[0].style, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
  ASSERT_EQ(depot_.GetComponents()[1].Dependancies.size(), 1u);
  EXPECT_EQ(depot_.GetComponents()[1].Dependancies[0], &depot_.GetComponents()[0]);
}

TEST_F(DepotInstallation, DriversAfterDescriptionsWithDuplicatesAndScopeDropped) {
  AddDescription("Base.xml", Description("Base", "TqBase"));
  // The same name as a driver: with an empty namespace it is the same component and the file
  // wins; with a namespace of its own it is another one and the driver stays.
  AddDescription("Meter.xml", Description("tqmeter", ""));
  AddDescription("Switch.xml", Description("tqswitch", "TqHardware"));
  AddFrameworkDriver("tqmeter");
  AddFrameworkDriver("tqswitch");
  AddFrameworkDriver("SCOPE");
  AddFrameworkDriver("tqcount");
  AddProductDriver("tqcount");  // found again in the product's directory: the first record stays
  AddProductDriver("tqrelay");
  depot_.LoadComponents(NULL);
  EXPECT_EQ(Names(depot_.GetComponents()),
            (std::vector<std::string>{"Base", "tqmeter", "tqswitch", "tqcount", "tqswitch", "tqrelay"}));
  const std::vector<CComponent>& catalogue = depot_.GetComponents();
  EXPECT_EQ(Str(catalogue[1].Category), "Core Components") << "the described tqmeter, not the driver";
  EXPECT_EQ(Str(catalogue[4].Category), "Legacy C and IVI C Drivers");
  EXPECT_TRUE(catalogue[3].InVXIPNP) << "the framework's tqcount is the one kept";
  EXPECT_FALSE(catalogue[5].InVXIPNP);
  EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(DepotInstallation, NoFrameworkMeansNoDriversAtAll) {
  AddDescription("Base.xml", Description("Base", "TqBase"));
  AddProductDriver("tqrelay");
  depot_.LoadComponents(NULL);
  EXPECT_EQ(Names(depot_.GetComponents()), (std::vector<std::string>{"Base"}));
}

TEST_F(DepotInstallation, DependenciesAreLinkedBothWays) {
  AddDescription("A.xml", Description("A", "Tq", {"B", "C"}));
  AddDescription("B.xml", Description("B", "Tq", {"D"}));
  AddDescription("C.xml", Description("C", "Tq", {"D", "D"}));
  AddDescription("D.xml", Description("D", "Tq"));
  AddDescription("E.xml", Description("E", "Tq", {"E"}));
  depot_.LoadComponents(NULL);
  for (int round = 0; round < 2; ++round) {  // a reload links afresh, nothing doubles
    SCOPED_TRACE(round);
    CComponent* a = depot_.FindComponent("A");
    CComponent* d = depot_.FindComponent("D");
    CComponent* e = depot_.FindComponent("E");
    ASSERT_TRUE(a && d && e);
    EXPECT_EQ(Names(a->Dependancies), (std::vector<std::string>{"B", "C"}));
    EXPECT_TRUE(a->Dependants.empty());
    EXPECT_EQ(Names(d->Dependants), (std::vector<std::string>{"B", "C", "C"})) << "a name listed twice links twice";
    EXPECT_EQ(Names(depot_.FindComponent("C")->Dependancies), (std::vector<std::string>{"D", "D"}));
    EXPECT_EQ(Names(e->Dependancies), (std::vector<std::string>{"E"})) << "a component may need itself";
    EXPECT_EQ(Names(e->Dependants), (std::vector<std::string>{"E"}));
    depot_.LoadComponents(NULL);
  }
}

TEST_F(DepotInstallation, MissingDependencyFailsTheLoadAfterAllRecordsAreIn) {
  AddDescription("A.xml", Description("A", "Tq"));
  AddDescription("B.xml", Description("B", "Tq", {"A", "Missing", "A"}));
  AddDescription("C.xml", Description("C", "Tq", {"A"}));
  AddFrameworkDriver("tqmeter");
  sandbox::RegistrySetString(kProductKey, "Dump File", "T:\\dump.txt");
  try {
    depot_.LoadComponents(NULL);
    ADD_FAILURE() << "no exception";
  } catch (CInformationDepotException* e) {
    EXPECT_EQ(Str(e->GetMessage()), "A required component is not installed.\n\nPlease reinstall Sablewing.");
    e->Delete();
  }
  const std::vector<CComponent>& catalogue = depot_.GetComponents();
  EXPECT_EQ(Names(catalogue), (std::vector<std::string>{"A", "B", "C", "tqmeter"}));
  EXPECT_EQ(Names(catalogue[1].Dependancies), (std::vector<std::string>{"A"})) << "links before the failure stay";
  EXPECT_EQ(Names(catalogue[0].Dependants), (std::vector<std::string>{"B"}));
  EXPECT_TRUE(catalogue[2].Dependancies.empty()) << "nothing is linked after the failing name";
  EXPECT_FALSE(fs::exists(host_ / "dump.txt")) << "a failed load writes no dump";
}

TEST_F(DepotInstallation, SelectionAndLookups) {
  AddDescription("A.xml", Description("Graph", "TqUI", {}, true));
  AddDescription("B.xml", Description("Knob", "TqUI"));
  depot_.LoadComponents(NULL);
  std::vector<CComponent>& catalogue = depot_.GetComponents();
  EXPECT_FALSE(catalogue[0].Selected) << "loaded records start unselected";
  catalogue[1].Selected = true;
  depot_.ResetSelection();
  EXPECT_TRUE(catalogue[0].Selected);
  EXPECT_FALSE(catalogue[1].Selected);
  EXPECT_EQ(depot_.FindComponent("Knob"), &catalogue[1]);
  EXPECT_EQ(depot_.FindComponent("knob"), nullptr) << "names compare exactly";
  CComponent probe;
  probe.ComponentName = "Graph";
  probe.Namespace = "TqUI";
  EXPECT_TRUE(depot_.ContainsComponent(probe));
  probe.Namespace = "tqui";
  EXPECT_FALSE(depot_.ContainsComponent(probe));
}

// Searches take full paths and leave the current directory alone; a relative directory (what an
// empty or relative registry value gives) is not searched, even when the current directory has
// what it names.
TEST_F(DepotInstallation, SearchesNeverUseOrChangeTheCurrentDirectory) {
  sandbox::RegistryDeleteKey(kProductKey);
  sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "VXIPNP");
  WriteHostFile(host_ / "work" / "Components" / "Stray.xml", Description("Stray", "Tq"));
  WriteHostFile(host_ / "work" / "VXIPNP" / "WinNT" / "Include" / "visa.h", "");
  ASSERT_TRUE(SetCurrentDirectory("T:\\work"));
  depot_.LoadComponents(NULL);
  EXPECT_TRUE(depot_.GetComponents().empty());
  EXPECT_FALSE(depot_.IsVisaInstalled());
  EXPECT_EQ(CurrentDirectory(), "T:\\work");

  sandbox::RegistrySetString(kProductKey, "InstallDir", "T:\\Sablewing");
  sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "T:\\VXIPNP");
  CInformationDepot installed;
  AddDescription("A.xml", Description("A", "Tq"));
  AddFrameworkDriver("tqmeter");
  installed.LoadComponents(NULL);
  EXPECT_EQ(Names(installed.GetComponents()), (std::vector<std::string>{"A", "tqmeter"}));
  EXPECT_EQ(CurrentDirectory(), "T:\\work");
}

// Paths written with '/', or with both separators, are full paths as the platform takes them: the
// descriptions are loaded (so a dependency on one links), the drivers found and VISA detected.
TEST_F(DepotInstallation, InstallationsWrittenWithEitherSeparator) {
  const struct {
    const char* name;
    const char* installDir;
    const char* vxipnpPath;
  } rows[] = {
      {.name = "backslashes", .installDir = "T:\\Sablewing", .vxipnpPath = "T:\\VXIPNP\\"},
      {.name = "slashes", .installDir = "T:/Sablewing", .vxipnpPath = "T:/VXIPNP/"},
      {.name = "mixed", .installDir = "T:\\Sablewing/", .vxipnpPath = "T:/VXIPNP\\"},
  };
  AddDescription("A.xml", Description("A", "Tq", {"B"}));
  AddDescription("B.xml", Description("B", "Tq"));
  AddFrameworkDriver("tqmeter");
  WriteHostFile(host_ / "VXIPNP" / "WinNT" / "include" / "visa.h", "");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistrySetString(kProductKey, "InstallDir", row.installDir);
    sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", row.vxipnpPath);
    CInformationDepot depot;
    depot.LoadComponents(NULL);
    ASSERT_EQ(Names(depot.GetComponents()), (std::vector<std::string>{"A", "B", "tqmeter"}));
    EXPECT_EQ(Names(depot.GetComponents()[0].Dependancies), (std::vector<std::string>{"B"}));
    EXPECT_TRUE(depot.IsVisaInstalled());
  }
}

TEST_F(DepotInstallation, VisaIsItsExactHeaderInTheFrameworkIncludeDirectory) {
  const struct {
    const char* name;
    const char* header;  // file in T:\VXIPNP\WinNT\include, null for no include directory
    bool expected;
  } rows[] = {
      {.name = "visa.h", .header = "visa.h", .expected = true},
      {.name = "other case", .header = "VISA.H", .expected = false},
      {.name = "other header", .header = "visatype.h", .expected = false},
      {.name = "no include directory", .header = nullptr, .expected = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(host_ / "VXIPNP");
    sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "T:\\VXIPNP");
    if (row.header) WriteHostFile(host_ / "VXIPNP" / "WinNT" / "include" / row.header, "");
    CInformationDepot depot;
    EXPECT_EQ(depot.IsVisaInstalled(), row.expected);
  }
  sandbox::RegistryDeleteKey(kVxipnpKey);
  CInformationDepot noFramework;
  EXPECT_FALSE(noFramework.IsVisaInstalled());
}

// --- The diagnostic dump ---------------------------------------------------------------------

TEST_F(DepotInstallation, DumpListsThePathsThenTheRecords) {
  AddDescription("A.xml", Description("Alpha", "TqA"));
  AddFrameworkDriver("tqmeter");
  sandbox::RegistrySetString(kProductKey, "Dump File", "T:\\dump.txt");
  WriteHostFile(host_ / "dump.txt", std::string(10000, 'x'));  // an old dump is replaced whole
  depot_.LoadComponents(NULL);
  const std::string dump = ReadHostFile((host_ / "dump.txt").string());
  const std::string expectedHead =
      "VXIPNP Path:\t\t\tT:\\VXIPNP\\WinNT\r\n"
      "VXIPNP Include Path:\t\tT:\\VXIPNP\\WinNT\\Include\r\n"
      "VXIPNP Lib Path:\t\tT:\\VXIPNP\\WinNT\\lib\\Msc\r\n"
      "Sablewing Path:\t\t\tT:\\Sablewing\r\n"
      "Sablewing Instr Path:\t\tT:\\Sablewing\\instr\r\n"
      "Sablewing Include Path:\t\tT:\\Sablewing\\Include\r\n"
      "Sablewing AppWizards Path:\tT:\\Sablewing\\appwizards\r\n"
      "Sablewing Components Path:\tT:\\Sablewing\\Components\r\n"
      "Wyc Path:\t\t\t\r\n"
      "Wyc Instr Path:\t\t\t\r\n"
      "IVI INI Path:\t\t\tT:\\VXIPNP\\WinNT\\tqivi\\ivi.ini\r\n"
      "VisaInstalled:\t\t\tfalse\r\n"
      "NTSystem:\t\t\ttrue\r\n"
      "WycInstrDirInVCPath:\t\tfalse\r\n"
      "Component Name:\t\t\tAlpha\r\n";
  EXPECT_EQ(dump.substr(0, expectedHead.size()), expectedHead);
  EXPECT_NE(dump.find("Component Name:\t\t\ttqmeter\r\n"), std::string::npos);
  EXPECT_EQ(dump.find('x'), std::string::npos);
}

TEST_F(DepotInstallation, DumpThatCannotBeWrittenLeavesTheLoadAlone) {
  AddDescription("A.xml", Description("Alpha", "TqA"));
  const struct {
    const char* name;
    const char* dumpFile;
    bool injectWriteFailure;
  } rows[] = {
      {.name = "missing folder", .dumpFile = "T:\\no\\such\\folder\\dump.txt", .injectWriteFailure = false},
      {.name = "unmapped drive", .dumpFile = "Q:\\dump.txt", .injectWriteFailure = false},
      {.name = "empty path", .dumpFile = "", .injectWriteFailure = false},
      {.name = "disk full while writing", .dumpFile = "T:\\dump.txt", .injectWriteFailure = true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::RegistrySetString(kProductKey, "Dump File", row.dumpFile);
    if (row.injectWriteFailure) sandbox::InjectFileFailure(row.dumpFile, "write", ERROR_DISK_FULL, 1000);
    depot_.LoadComponents(NULL);
    EXPECT_EQ(Names(depot_.GetComponents()), (std::vector<std::string>{"Alpha"}));
    sandbox::ClearFileFailures();
  }
}

// --- The sample installation -----------------------------------------------------------------

// The sample's catalogue in load order: the description files as the directory lists them, then
// the drivers of the framework, the product's and the Wyc instrument directories ("scope" and the
// product's copy of tqdmm34 dropped; see sample/README.md).
std::vector<std::string> SampleCatalogue() {
  return {"TqAnalysis", "TqControls", "TqCore",   "TqCoreRuntime", "TqDaq",     "TqDataSocket", "TqGpib",
          "TqGraph",    "TqKnobs",    "TqSerial", "TqUtility",     "TqVisa",    "tqdmm34",      "tqfgen20",
          "tqpower",    "tqswitch",   "hgcounter", "hgrelay",      "tqacpwr",   "wycosc"};
}

// The sample under sample/, with C: mapped to it and the registry from sample/sablewing.reg, as
// sample/README.md describes it.
class SampleInstallation : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(SourceDir().empty()) << "the test runs with SABLEWING_SOURCE_DIR set";
    sandbox::MapDrive('C', SourceDir() + "/sample");
    std::string error;
    ASSERT_TRUE(sandbox::RegistryLoad(SourceDir() + "/sample/sablewing.reg", &error)) << error;
  }
  CInformationDepot depot_;
};

TEST_F(SampleInstallation, LoadsEveryDescriptionAndDriver) {
  sandbox::SetStrict(true);  // no message box may come up
  depot_.LoadComponents(NULL);
  EXPECT_EQ(Names(depot_.GetComponents()), SampleCatalogue());
  for (const CComponent& record : depot_.GetComponents()) {
    SCOPED_TRACE(Str(record.ComponentName));
    EXPECT_FALSE(record.Selected);
    EXPECT_EQ(record.Dependancies.size(), record.ComponentDependancies.size());
  }
  EXPECT_TRUE(sandbox::Modals().empty());

  EXPECT_EQ(Names(depot_.FindComponent("TqGraph")->Dependancies), (std::vector<std::string>{"TqControls"}));
  EXPECT_EQ(Names(depot_.FindComponent("TqCore")->Dependancies), (std::vector<std::string>{"TqCoreRuntime"}));
  EXPECT_EQ(Names(depot_.FindComponent("TqUtility")->Dependants),
            (std::vector<std::string>{"TqDataSocket", "TqSerial"}));
  EXPECT_TRUE(depot_.FindComponent("TqCoreRuntime")->Hidden);

  // The driver records as the depot keeps them; their fields are the enumerator's (its tests).
  const CComponent* framework = depot_.FindComponent("tqdmm34");
  ASSERT_NE(framework, nullptr);
  EXPECT_TRUE(framework->InVXIPNP) << "the framework's copy, not the product's duplicate";
  EXPECT_TRUE(framework->HasImportLibrary);
  EXPECT_EQ(Str(framework->Category), "Legacy C and IVI C Drivers");
  const CComponent* wyc = depot_.FindComponent("wycosc");
  ASSERT_NE(wyc, nullptr);
  EXPECT_TRUE(wyc->WycInstrRequried);
  EXPECT_FALSE(wyc->InVXIPNP);
  EXPECT_EQ(depot_.FindComponent("scope"), nullptr);
}

TEST_F(SampleInstallation, PathsOfTheSample) {
  EXPECT_EQ(Str(depot_.GetProductPath()), "C:\\Sablewing");
  EXPECT_EQ(Str(depot_.GetHelpPath()), "C:\\Sablewing\\Help");
  EXPECT_EQ(Str(depot_.GetVXIPNPPath()), "C:\\VXIPNP\\WinNT");
  EXPECT_EQ(Str(depot_.GetWycIviClassPath()), "C:\\Wyc\\instr\\iviclass");
  EXPECT_TRUE(depot_.IsVisaInstalled());
}

// The framework on a file server, as many labs keep it: the searches take the UNC paths as they
// take drive paths.
TEST_F(SampleInstallation, FrameworkOnANetworkShare) {
  sandbox::MapUncShare("\\\\lab\\vxipnp", SourceDir() + "/sample/VXIPNP");
  sandbox::RegistrySetString(kVxipnpKey, "VXIPNPPATH", "\\\\lab\\vxipnp\\");
  depot_.LoadComponents(NULL);
  EXPECT_EQ(Names(depot_.GetComponents()), SampleCatalogue());
  EXPECT_EQ(Str(depot_.GetVXIPNPLibPath()), "\\\\lab\\vxipnp\\WinNT\\lib\\Msc");
  EXPECT_TRUE(depot_.IsVisaInstalled());
}

// The product folder on a file server: the product's own drivers are found through the UNC path
// and named by it. (No description files here: see the report on the DOM's file URLs.)
TEST_F(SampleInstallation, ProductOnANetworkShare) {
  const std::string share = sandbox::MapTempDrive('T');
  fs::copy(SourceDir() + "/sample/Sablewing/instr", share + "/instr");
  sandbox::MapUncShare("\\\\lab\\sablewing", share);
  sandbox::RegistrySetString(kProductKey, "InstallDir", "\\\\lab\\sablewing\\");
  sandbox::SetStrict(true);
  depot_.LoadComponents(NULL);
  EXPECT_EQ(Names(depot_.GetComponents()), (std::vector<std::string>{"tqdmm34", "tqfgen20", "tqpower", "tqswitch",
                                                                     "hgcounter", "hgrelay", "tqacpwr", "wycosc"}));
  const CComponent* counter = depot_.FindComponent("hgcounter");
  ASSERT_NE(counter, nullptr);
  ASSERT_EQ(counter->ComponentSources.size(), 1u);
  EXPECT_EQ(Str(counter->ComponentSources[0].SourceFile), "\\\\lab\\sablewing\\instr\\hgcounter.c");
  EXPECT_EQ(Str(depot_.GetHelpPath()), "\\\\lab\\sablewing\\Help");
}

// --- Browsing for the product folder ---------------------------------------------------------

TEST_F(SampleInstallation, BrowseRecordsTheChosenFolder) {
  sandbox::RegistryDeleteKey(kProductKey);
  sandbox::QueueAnswer("BrowseForFolder", {IDOK, "C:\\Sablewing\\"});
  EXPECT_EQ(Str(depot_.BrowseForProductPath(NULL)), "C:\\Sablewing");
  EXPECT_EQ(Str(depot_.GetProductPath()), "C:\\Sablewing");
  EXPECT_EQ(sandbox::RegistryGetString(kProductKey, "InstallDir"), "C:\\Sablewing");
  const std::vector<sandbox::Modal> modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(modals[0].kind, "BrowseForFolder");
  EXPECT_EQ(modals[0].text, "Please select the path to Sablewing");
  EXPECT_EQ(modals[0].style, static_cast<unsigned>(BIF_DONTGOBELOWDOMAIN));
}

TEST_F(SampleInstallation, CancelledBrowseForgetsThePathAndRecordsNothing) {
  ASSERT_EQ(Str(depot_.GetProductPath()), "C:\\Sablewing");
  sandbox::QueueAnswer("BrowseForFolder", {IDCANCEL, {}});
  EXPECT_EQ(Str(depot_.BrowseForProductPath(NULL)), "");
  EXPECT_EQ(sandbox::RegistryGetString(kProductKey, "InstallDir"), "C:\\Sablewing");
  sandbox::RegistrySetString(kProductKey, "InstallDir", "C:\\Elsewhere");
  EXPECT_EQ(Str(depot_.GetProductPath()), "C:\\Elsewhere") << "the next lookup reads the registry again";
}

TEST_F(SampleInstallation, BrowseThatCannotRecordThrows) {
  sandbox::RegistryInjectFailure(kProductKey, "create", ERROR_ACCESS_DENIED);
  sandbox::QueueAnswer("BrowseForFolder", {IDOK, "C:\\Sablewing"});
  try {
    depot_.BrowseForProductPath(NULL);
    ADD_FAILURE() << "no exception";
  } catch (CInformationDepotException* e) {
    EXPECT_EQ(Str(e->GetMessage()), "Cannot create the Sablewing registry key.");
    e->Delete();
  }
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

}  // namespace
