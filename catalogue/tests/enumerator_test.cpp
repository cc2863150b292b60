// The instrument-driver enumerator over the sample installation's three driver directories, over
// one small tree per lookup rule, over the framework's own headers, and over function panel files
// of every shape the description read meets; and its searches leave the current directory alone.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

#include "InformationDepot.h"
#include "InstrumentDriverEnumerator.h"
#include "sandbox/sandbox.h"

namespace {

std::string Str(const CString& s) { return std::string(static_cast<LPCTSTR>(s)); }

std::vector<std::string> Strs(const std::vector<CString>& list) {
  std::vector<std::string> out;
  for (const CString& s : list) out.push_back(Str(s));
  return out;
}

const char kVXIPNPKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion";
const char kProductKey[] = "HKEY_LOCAL_MACHINE\\Software\\Vellacott\\Sablewing\\VC";
const char kWycKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacott\\Wyc\\6.0";

// The three installations on one drive, as an installer records them.
void RegisterInstallations(char drive) {
  const std::string root = std::string(1, drive) + ":\\";
  sandbox::RegistrySetString(kVXIPNPKey, "VXIPNPPATH", root + "VXIPNP");
  sandbox::RegistrySetString(kProductKey, "InstallDir", root + "Sablewing");
  sandbox::RegistrySetString(kWycKey, "InstallDir", root + "Wyc");
}

// The depot's calling order: FindFirst, then FindNext while drivers come, a record for each.
std::vector<CComponent> Enumerate(CInformationDepot& depot) {
  std::vector<CComponent> drivers;
  CInstrumentDriverEnumerator enumerator(&depot);
  for (bool found = enumerator.FindFirst(); found; found = enumerator.FindNext()) {
    CComponent record;
    record.Selected = true;  // poison: the record must be filled, not merged
    record.SetCompilerDebugSettings({"/poison"});
    enumerator.CreateComponent(record);
    drivers.push_back(record);
  }
  return drivers;
}

std::vector<std::string> Names(const std::vector<CComponent>& drivers) {
  std::vector<std::string> names;
  for (const CComponent& driver : drivers) names.push_back(Str(driver.ComponentName));
  return names;
}

const std::vector<std::string> kSupport = {"ivi.lib", "Instrsup.lib"};

// What a driver record holds beyond what every driver record holds.
struct Driver {
  const char* name;
  const char* description;
  const char* header;   // the ComponentHeaders entry, "" for none
  const char* include;  // the IncludesFileHeaderIncludes entry
  const char* library;  // "" when linked from its source
  const char* source;   // "" when it has none
  bool wyc;
  bool vxipnp;
};

void ExpectDriver(const CComponent& c, const Driver& d) {
  EXPECT_EQ(Str(c.ComponentName), d.name);
  EXPECT_EQ(Str(c.ComponentDescription), d.description);
  EXPECT_EQ(Str(c.Category), "Legacy C and IVI C Drivers");
  EXPECT_EQ(Str(c.XMLFormatVersion), "1.0");
  EXPECT_TRUE(c.Namespace.IsEmpty());
  EXPECT_FALSE(c.Hidden || c.SelectedByDefault || c.MFCRequired || c.Selected);
  EXPECT_EQ(c.WycInstrRequried, d.wyc);
  EXPECT_EQ(c.InVXIPNP, d.vxipnp);
  EXPECT_EQ(Strs(c.ComponentHeaders), *d.header ? std::vector<std::string>{d.header} : std::vector<std::string>{});
  EXPECT_EQ(Strs(c.IncludesFileHeaderIncludes),
            *d.include ? std::vector<std::string>{d.include} : std::vector<std::string>{});
  std::vector<std::string> linker = kSupport;
  if (*d.library) linker.insert(linker.begin(), d.library);
  EXPECT_EQ(Strs(c.LinkerReleaseSettings), linker);
  EXPECT_EQ(Strs(c.LinkerDebugSettings), linker);
  EXPECT_EQ(c.HasImportLibrary, *d.library != '\0');
  if (*d.source) {
    ASSERT_EQ(c.ComponentSources.size(), 1u);
    const ComponentSource& source = c.ComponentSources[0];
    EXPECT_EQ(Str(source.SourceFile), d.source);
    EXPECT_EQ(Strs(source.SubtractCompilerSettings), (std::vector<std::string>{"/YX", "/Yc", "/Yu"}));
    EXPECT_TRUE(source.AddCompilerSettings.empty() && source.RemoveAddCompilerSettings.empty() &&
                source.RemoveSubtractCompilerSettings.empty());
  } else {
    EXPECT_TRUE(c.ComponentSources.empty());
  }
  for (const auto& list : {c.CompilerReleaseSettings, c.CompilerDebugSettings, c.RemoveCompilerReleaseSettings,
                           c.RemoveCompilerDebugSettings, c.RemoveLinkerReleaseSettings, c.RemoveLinkerDebugSettings,
                           c.DSWControlPalletGuids, c.ComponentDependancies}) {
    EXPECT_TRUE(list.empty());
  }
  EXPECT_TRUE(c.Sections.empty());
  EXPECT_TRUE(c.Dependancies.empty() && c.Dependants.empty());
}

// --- the sample installation -------------------------------------------------------------------

class SampleDrivers : public testing::Test {
 protected:
  void SetUp() override {
    const char* source = std::getenv("SABLEWING_SOURCE_DIR");
    ASSERT_NE(source, nullptr) << "the test runs with SABLEWING_SOURCE_DIR set";
    sandbox::MapDrive('C', std::string(source) + "/sample");
    RegisterInstallations('C');
  }
};

TEST_F(SampleDrivers, FindsTheDriversOfEachDirectoryInTurn) {
  CInformationDepot depot;
  // The framework's include directory (its own headers, a header without library or source and
  // a wrapper header are none), the product's directory (whose tqdmm34.h is the framework's
  // driver again), the Wyc directory (wycnote has no source).
  EXPECT_EQ(Names(Enumerate(depot)),
            (std::vector<std::string>{"scope", "tqdmm34", "tqfgen20", "tqpower", "tqswitch", "hgcounter", "hgrelay",
                                      "tqdmm34", "tqacpwr", "wycosc"}));
}

TEST_F(SampleDrivers, RecordsFieldByField) {
  const Driver expected[] = {
      {.name = "scope", .description = "Generic Oscilloscope", .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\scope.h",
       .include = "scope.h", .library = "scope.lib", .source = "", .wyc = false, .vxipnp = true},
      {.name = "tqdmm34", .description = "Tq34 Digital Multimeter",
       .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\tqdmm34.h", .include = "tqdmm34.h",
       .library = "tqdmm34.lib", .source = "", .wyc = false, .vxipnp = true},
      {.name = "tqfgen20", .description = "Tq20 Arbitrary Function Generator, 20 MH",
       .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\tqfgen20.h", .include = "tqfgen20.h",
       .library = "tqfgen20_32.lib", .source = "", .wyc = false, .vxipnp = true},
      {.name = "tqpower", .description = "Tq Programmable DC Power Supply",
       .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\tqpower_Sablewing_cpp.h",
       .include = "tqpower_Sablewing_cpp.h", .library = "tqpower.lib", .source = "", .wyc = false, .vxipnp = true},
      {.name = "tqswitch", .description = "Tq Switch Matrix",
       .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\tqswitch.h", .include = "tqswitch.h", .library = "",
       .source = "$(SABLEWING_CPP_VXIPNP_PATH)\\tqswitch\\tqswitch.c", .wyc = false, .vxipnp = true},
      {.name = "hgcounter", .description = "Hg Universal Counter", .header = "C:\\Sablewing\\instr\\hgcounter.h",
       .include = "hgcounter.h", .library = "", .source = "C:\\Sablewing\\instr\\hgcounter.c", .wyc = false,
       .vxipnp = false},
      {.name = "hgrelay", .description = "Hg Relay Multiplexer", .header = "C:\\Sablewing\\instr\\hgrelay.h",
       .include = "hgrelay.h", .library = "hgrelay.lib", .source = "", .wyc = false, .vxipnp = false},
      {.name = "tqdmm34", .description = "Tq34 Digital Multimeter",
       .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\tqdmm34.h", .include = "tqdmm34.h",
       .library = "tqdmm34.lib", .source = "", .wyc = false, .vxipnp = true},
      {.name = "tqacpwr", .description = "Tq AC Power Source (IVI)", .header = "C:\\Wyc\\instr\\tqacpwr.h",
       .include = "tqacpwr.h", .library = "", .source = "C:\\Wyc\\instr\\tqacpwr.c", .wyc = true, .vxipnp = false},
      {.name = "wycosc", .description = "Wyc Demo Oscilloscope", .header = "C:\\Wyc\\instr\\wycosc.h",
       .include = "wycosc.h", .library = "", .source = "C:\\Wyc\\instr\\wycosc.c", .wyc = true, .vxipnp = false},
  };
  CInformationDepot depot;
  const std::vector<CComponent> drivers = Enumerate(depot);
  ASSERT_EQ(drivers.size(), std::size(expected));
  for (size_t i = 0; i < drivers.size(); ++i) {
    SCOPED_TRACE(std::to_string(i) + " " + expected[i].name);
    ExpectDriver(drivers[i], expected[i]);
  }
}

TEST_F(SampleDrivers, SearchesLeaveTheCurrentDirectoryAlone) {
  ASSERT_TRUE(SetCurrentDirectory("C:\\Sablewing\\Components"));
  CInformationDepot depot;
  {
    CInstrumentDriverEnumerator enumerator(&depot);
    for (bool found = enumerator.FindFirst(); found; found = enumerator.FindNext()) {
      CComponent record;
      enumerator.CreateComponent(record);
      char current[MAX_PATH] = "";
      ASSERT_NE(GetCurrentDirectory(MAX_PATH, current), 0u);
      ASSERT_STREQ(current, "C:\\Sablewing\\Components") << "after " << Str(record.ComponentName);
    }
  }
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u) << "the enumerator closes its searches";
}

TEST_F(SampleDrivers, ResetKeepsThePositionAndFindFirstStartsAgain) {
  CInformationDepot depot;
  CInstrumentDriverEnumerator enumerator(&depot);
  ASSERT_TRUE(enumerator.FindFirst());
  CComponent record;
  enumerator.CreateComponent(record);
  EXPECT_EQ(Str(record.ComponentName), "scope");
  enumerator.Reset();
  ASSERT_TRUE(enumerator.FindNext());
  enumerator.CreateComponent(record);
  EXPECT_EQ(Str(record.ComponentName), "tqdmm34");
  ASSERT_TRUE(enumerator.FindFirst());
  enumerator.CreateComponent(record);
  EXPECT_EQ(Str(record.ComponentName), "scope");
  while (enumerator.FindNext()) {
  }
  EXPECT_FALSE(enumerator.FindNext()) << "the end stays the end";
}

// --- small trees ---------------------------------------------------------------------------------

// A fresh drive T: holding the three installations, filled file by file.
class DriverTree : public testing::Test {
 protected:
  void SetUp() override { Fresh(); }

  void Fresh() {
    host_ = sandbox::MapTempDrive('T');
    sandbox::RegistryClear();
    RegisterInstallations('T');
  }

  // `relative` is below T:\, with "/" between folders; a name ending in "/" makes a folder.
  void Put(const std::string& relative, const std::string& bytes = "") {
    const std::filesystem::path path = host_ + "/" + relative;
    if (relative.back() == '/') {
      std::filesystem::create_directories(path);
      return;
    }
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::string host_;
};

const std::string kInclude = "VXIPNP/WinNT/include/";
const std::string kLib = "VXIPNP/WinNT/lib/Msc/";
const std::string kFramework = "VXIPNP/WinNT/";
const std::string kFolder = kFramework + "drv/";
const std::string kProduct = "Sablewing/instr/";
const std::string kWyc = "Wyc/instr/";
const std::string kIviClass = "Wyc/instr/iviclass/";

// A function panel file: magic, big-endian version, and `text` at the offset the version gives,
// padded with `padding` zero bytes.
std::string Panel(uint32_t version, const std::string& text, size_t padding = 64) {
  const size_t at = version == 5 ? 104 : 84;
  std::string bytes(at, '\0');
  const unsigned char head[] = {0x73, 0xFE, 0x01, 0xBA, static_cast<unsigned char>(version >> 24),
                                static_cast<unsigned char>(version >> 16), static_cast<unsigned char>(version >> 8),
                                static_cast<unsigned char>(version)};
  bytes.replace(0, sizeof head, reinterpret_cast<const char*>(head), sizeof head);
  return bytes + text + std::string(padding, '\0');
}

TEST_F(DriverTree, LookupsFollowTheDirectoryOrder) {
  struct File {
    std::string path;
    std::string bytes = Panel(4, "Drv");
  };
  struct Row {
    const char* what;
    std::vector<File> files;
    bool driver;
    Driver record;
  };
  const char* vxiHeader = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\drv.h";
  const Row rows[] = {
      {.what = "a panel file but neither library nor source: no driver",
       .files = {{kInclude + "drv.h"}, {kFolder + "drv.fp"}}, .driver = false, .record = {}},
      {.what = "a library but no panel file: no driver",
       .files = {{kInclude + "drv.h"}, {kLib + "drv.lib"}, {kFolder + "drv.c"}}, .driver = false, .record = {}},
      {.what = "only NAME_32.lib, named as on disk",
       .files = {{kInclude + "drv.h"}, {kLib + "DRV_32.Lib"}, {kFolder + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = vxiHeader, .include = "drv.h",
                  .library = "DRV_32.Lib", .source = "", .wyc = false, .vxipnp = true}},
      {.what = "NAME.lib before NAME_32.lib",
       .files = {{kInclude + "drv.h"}, {kLib + "drv_32.lib"}, {kLib + "drv.lib"}, {kFolder + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = vxiHeader, .include = "drv.h", .library = "drv.lib",
                  .source = "", .wyc = false, .vxipnp = true}},
      {.what = "a library wins over the C source beside it",
       .files = {{kInclude + "drv.h"}, {kLib + "drv.lib"}, {kFolder + "drv.c"}, {kFolder + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = vxiHeader, .include = "drv.h", .library = "drv.lib",
                  .source = "", .wyc = false, .vxipnp = true}},
      {.what = "a library only counts in the framework's lib\\Msc",
       .files = {{kProduct + "drv.h"}, {kProduct + "drv.lib"}, {kProduct + "drv.fp"}}, .driver = false, .record = {}},
      {.what = "the source in the framework's driver folder is named through the macro",
       .files = {{kInclude + "drv.h"}, {kFolder + "drv.c"}, {kProduct + "drv.c"}, {kFolder + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = vxiHeader, .include = "drv.h", .library = "",
                  .source = "$(SABLEWING_CPP_VXIPNP_PATH)\\drv\\drv.c", .wyc = false, .vxipnp = true}},
      {.what = "a source in the product's directory by its full path, before the Wyc one",
       .files = {{kInclude + "drv.h"}, {kProduct + "drv.c"}, {kWyc + "drv.c"}, {kWyc + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = vxiHeader, .include = "drv.h", .library = "",
                  .source = "T:\\Sablewing\\instr\\drv.c", .wyc = false, .vxipnp = true}},
      {.what = "a source in the Wyc directory asks for the Wyc directory even with a framework header",
       .files = {{kInclude + "drv.h"}, {kWyc + "drv.c"}, {kWyc + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = vxiHeader, .include = "drv.h", .library = "",
                  .source = "T:\\Wyc\\instr\\drv.c", .wyc = true, .vxipnp = true}},
      {.what = "a product header by its full path, linked through a framework library",
       .files = {{kProduct + "drv.h"}, {kLib + "drv.lib"}, {kProduct + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = "T:\\Sablewing\\instr\\drv.h", .include = "drv.h",
                  .library = "drv.lib", .source = "", .wyc = false, .vxipnp = false}},
      {.what = "a Wyc header with its panel among the IVI class panels",
       .files = {{kWyc + "drv.h"}, {kWyc + "drv.c"}, {kIviClass + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = "T:\\Wyc\\instr\\drv.h", .include = "drv.h",
                  .library = "", .source = "T:\\Wyc\\instr\\drv.c", .wyc = true, .vxipnp = false}},
      {.what = "the framework's panel before the product's",
       .files = {{kInclude + "drv.h"},
                 {kLib + "drv.lib"},
                 {kFolder + "drv.fp", Panel(4, "Framework")},
                 {kProduct + "drv.fp", Panel(4, "Product")}},
       .driver = true,
       .record = {.name = "drv", .description = "Framework", .header = vxiHeader, .include = "drv.h",
                  .library = "drv.lib", .source = "", .wyc = false, .vxipnp = true}},
      {.what = "the product's panel before the Wyc and the class panels",
       .files = {{kProduct + "drv.h"},
                 {kProduct + "drv.c"},
                 {kWyc + "drv.fp", Panel(4, "Wyc")},
                 {kIviClass + "drv.fp", Panel(4, "Class")},
                 {kProduct + "drv.fp", Panel(4, "Product")}},
       .driver = true,
       .record = {.name = "drv", .description = "Product", .header = "T:\\Sablewing\\instr\\drv.h",
                  .include = "drv.h", .library = "", .source = "T:\\Sablewing\\instr\\drv.c", .wyc = false,
                  .vxipnp = false}},
      {.what = "the wrapper header replaces the framework header in both lists",
       .files = {{kInclude + "drv.h"}, {kInclude + "drv_Sablewing_cpp.h"}, {kLib + "drv.lib"}, {kFolder + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv",
                  .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\drv_Sablewing_cpp.h",
                  .include = "drv_Sablewing_cpp.h", .library = "drv.lib", .source = "", .wyc = false, .vxipnp = true}},
      {.what = "the wrapper header replaces a product header too",
       .files = {{kProduct + "drv.h"}, {kInclude + "drv_Sablewing_cpp.h"}, {kProduct + "drv.c"},
                 {kProduct + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv",
                  .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\drv_Sablewing_cpp.h",
                  .include = "drv_Sablewing_cpp.h", .library = "", .source = "T:\\Sablewing\\instr\\drv.c",
                  .wyc = false, .vxipnp = false}},
      {.what = "a wrapper header elsewhere is not looked for",
       .files = {{kProduct + "drv.h"}, {kProduct + "drv_Sablewing_cpp.h"}, {kProduct + "drv.c"},
                 {kProduct + "drv.fp"}},
       .driver = true,
       .record = {.name = "drv", .description = "Drv", .header = "T:\\Sablewing\\instr\\drv.h", .include = "drv.h",
                  .library = "", .source = "T:\\Sablewing\\instr\\drv.c", .wyc = false, .vxipnp = false}},
      {.what = "the header's name as it is spelled on disk",
       .files = {{kInclude + "DRV.H"}, {kLib + "drv.lib"}, {kFolder + "drv.fp"}},
       .driver = true,
       .record = {.name = "DRV", .description = "Drv", .header = "$(SABLEWING_CPP_VXIPNP_PATH)\\include\\DRV.H",
                  .include = "DRV.H", .library = "drv.lib", .source = "", .wyc = false, .vxipnp = true}},
      {.what = "a folder named like a header is none",
       .files = {{kInclude + "drv.h/"}, {kLib + "drv.lib"}, {kFolder + "drv.fp"}}, .driver = false, .record = {}},
      {.what = "a folder named like a library or a panel file is none",
       .files = {{kInclude + "drv.h"}, {kLib + "drv.lib/"}, {kProduct + "drv.c"}, {kProduct + "drv.fp/"}},
       .driver = false, .record = {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Fresh();
    for (const File& file : row.files) Put(file.path, file.bytes);
    CInformationDepot depot;
    const std::vector<CComponent> drivers = Enumerate(depot);
    ASSERT_EQ(drivers.size(), row.driver ? 1u : 0u);
    if (row.driver) ExpectDriver(drivers[0], row.record);
  }
}

// Every header the framework itself brings, in any letter case and wherever it lies, and each
// with all a driver needs; only the real driver beside them is reported.
TEST_F(DriverTree, FrameworkHeadersAreNeverDrivers) {
  const char* headers[] = {"ivi",   "IVIDMM", "IviFgen", "ivipower", "iviScope",
                           "iviswtch", "ividcpwr", "VISA", "visatype", "vpptype"};
  for (const char* name : headers) {
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    Put(kInclude + name + ".h");
    Put(kLib + lower + ".lib");
    Put(kIviClass + lower + ".fp", Panel(5, name));
  }
  Put(kProduct + "Visa.h");
  Put(kProduct + "visa.c");
  Put(kProduct + "visa.fp", Panel(4, "visa"));
  Put(kInclude + "meter.h");
  Put(kLib + "meter.lib");
  Put(kIviClass + "meter.fp", Panel(4, "Meter"));
  CInformationDepot depot;
  EXPECT_EQ(Names(Enumerate(depot)), std::vector<std::string>{"meter"});
}

TEST_F(DriverTree, NothingInstalledFindsNothing) {
  struct Row {
    const char* what;
    bool registered;
    bool folders;
  };
  const Row rows[] = {
      {.what = "no registry values", .registered = false, .folders = true},
      {.what = "registered, but no folders", .registered = true, .folders = false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Fresh();
    if (!row.registered) sandbox::RegistryClear();
    if (row.folders) {
      Put(kInclude + "drv.h");
      Put(kLib + "drv.lib");
      Put(kFolder + "drv.fp", Panel(4, "Drv"));
    }
    CInformationDepot depot;
    CInstrumentDriverEnumerator enumerator(&depot);
    EXPECT_FALSE(enumerator.FindFirst());
    EXPECT_FALSE(enumerator.FindNext());
  }
}

// With no product path the product's instrument directory is the bare name "instr": a search
// there would read whatever folder of that name the current directory holds.
TEST_F(DriverTree, RelativeDirectoriesAreNotSearched) {
  sandbox::RegistryDeleteKey(kProductKey);
  Put("work/instr/decoy.h");
  Put("work/instr/decoy.c");
  Put("work/instr/decoy.fp", Panel(4, "Decoy"));
  Put("work/instr/iviclass/");
  // A framework driver whose only source lies there.
  Put(kInclude + "frm.h");
  Put(kFramework + "frm/frm.fp", Panel(4, "Framework"));
  Put("work/instr/frm.c");
  Put(kWyc + "wycdrv.h");
  Put(kWyc + "wycdrv.c");
  Put(kWyc + "wycdrv.fp", Panel(4, "Wyc Driver"));
  ASSERT_TRUE(SetCurrentDirectory("T:\\work"));
  CInformationDepot depot;
  EXPECT_EQ(Names(Enumerate(depot)), std::vector<std::string>{"wycdrv"});
  char current[MAX_PATH] = "";
  GetCurrentDirectory(MAX_PATH, current);
  EXPECT_STREQ(current, "T:\\work");
}

TEST_F(DriverTree, UnreadableDirectoryHoldsNothing) {
  Put(kProduct + "prod.h");
  Put(kProduct + "prod.c");
  Put(kProduct + "prod.fp", Panel(4, "Product"));
  Put(kWyc + "wycdrv.h");
  Put(kWyc + "wycdrv.c");
  Put(kWyc + "wycdrv.fp", Panel(4, "Wyc Driver"));
  sandbox::InjectFileFailure("T:\\Sablewing\\instr", "find", ERROR_ACCESS_DENIED, 1000);
  CInformationDepot depot;
  EXPECT_EQ(Names(Enumerate(depot)), std::vector<std::string>{"wycdrv"});
}

// --- the description read -------------------------------------------------------------------------

class PanelFile : public DriverTree {
 protected:
  // The description of the framework driver "drv" whose panel file holds `bytes`.
  std::string DescriptionOf(const std::string& bytes) {
    Fresh();
    Put(kInclude + "drv.h");
    Put(kLib + "drv.lib");
    Put(kFolder + "drv.fp", bytes);
    CInformationDepot depot;
    const std::vector<CComponent> drivers = Enumerate(depot);
    EXPECT_EQ(drivers.size(), 1u) << "a panel file of any content makes the driver";
    return drivers.empty() ? "<no driver>" : Str(drivers[0].ComponentDescription);
  }
};

TEST_F(PanelFile, DescriptionStopsAtTheEndOfItsLine) {
  const std::string forty = "Forty Characters Of Description 12345678";
  ASSERT_EQ(forty.size(), 40u);
  std::string littleEndianFive = Panel(4, "Little");
  littleEndianFive.replace(4, 4, std::string("\x05\0\0\0", 4));
  std::string v5 = Panel(5, "");
  v5.replace(84, 4, "Old");  // a version 5 file reads nothing at the version 4 offset
  struct Row {
    const char* what;
    std::string bytes;
    const char* description;
  };
  const Row rows[] = {
      {.what = "version 5 at offset 104", .bytes = Panel(5, "Five"), .description = "Five"},
      {.what = "version 4 at offset 84", .bytes = Panel(4, "Four"), .description = "Four"},
      {.what = "another version at offset 84", .bytes = Panel(6, "Six"), .description = "Six"},
      {.what = "the version is big-endian", .bytes = littleEndianFive, .description = "Little"},
      {.what = "version 5 ignores offset 84", .bytes = v5, .description = ""},
      {.what = "cut to 40 characters", .bytes = Panel(4, forty + "and more"), .description = forty.c_str()},
      {.what = "stops at a line feed", .bytes = Panel(4, "Line\nNext"), .description = "Line"},
      {.what = "stops at a carriage return", .bytes = Panel(4, "Line\r\nNext"), .description = "Line"},
      {.what = "stops at a NUL", .bytes = Panel(4, std::string("Nul\0Next", 8)), .description = "Nul"},
      {.what = "an empty field", .bytes = Panel(4, ""), .description = ""},
      {.what = "characters above 127 are kept", .bytes = Panel(4, "\xB5V \xB0" "C"), .description = "\xB5V \xB0" "C"},
      {.what = "an empty file", .bytes = "", .description = ""},
      {.what = "a file too short for its version", .bytes = Panel(4, "").substr(0, 6), .description = ""},
      {.what = "a file that ends where the description begins", .bytes = Panel(4, "", 0), .description = ""},
      {.what = "a file that ends inside the description", .bytes = Panel(4, "Cut", 0), .description = "Cut"},
      {.what = "a version 5 file that ends before offset 104", .bytes = Panel(5, "").substr(0, 100),
       .description = ""},
      {.what = "no magic: the description is read all the same", .bytes = "XXXX" + Panel(4, "Plain").substr(4),
       .description = "Plain"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(DescriptionOf(row.bytes), row.description);
  }
}

TEST_F(PanelFile, CutKeepsADoubleByteCharacterWhole) {
  sandbox::SetCodePage(932);
  const std::string hiragana = "\x82\xA0";
  EXPECT_EQ(DescriptionOf(Panel(4, std::string(38, 'a') + hiragana + "b")), std::string(38, 'a') + hiragana);
  EXPECT_EQ(DescriptionOf(Panel(4, std::string(39, 'a') + hiragana)), std::string(39, 'a'))
      << "the trail byte lies beyond the 40 that are read";
}

TEST_F(PanelFile, UnreadablePanelFileGivesAnEmptyDescription) {
  Put(kInclude + "drv.h");
  Put(kLib + "drv.lib");
  Put(kFolder + "drv.fp", Panel(4, "Hidden"));
  sandbox::InjectFileFailure("T:\\VXIPNP\\WinNT\\drv\\drv.fp", "open", ERROR_ACCESS_DENIED, 1000);
  CInformationDepot depot;
  const std::vector<CComponent> drivers = Enumerate(depot);
  ASSERT_EQ(drivers.size(), 1u);
  EXPECT_EQ(Str(drivers[0].ComponentDescription), "");
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

}  // namespace
