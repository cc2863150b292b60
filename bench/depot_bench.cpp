// Loading a generated installation of 500 component description files and 2,000 instrument
// drivers through the depot, beside its floor: the same 500 files read through CComponentXML,
// one listing of each driver folder and one read of each function panel file's header, the least
// any load must do. The same again with 20,000 drivers, for how the load grows. Before the runs,
// the file searches and opens of one load and of its floor, per record, from the sandbox's record.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>
#include <functional>
#include <string>
#include <vector>

#include "ComponentXML.h"
#include "InformationDepot.h"
#include "ratio_reporter.h"
#include "sandbox/sandbox.h"

namespace {

namespace fs = std::filesystem;

const int kDescriptions = 500;

// The drivers of an installation: 45 in a hundred in the framework with an import library, 20
// there with a C source, 20 in the product's instrument directory and 15 in the Wyc one.
struct Installation {
  char drive;
  int drivers;
  int FrameworkLibraryDrivers() const { return drivers * 45 / 100; }
  int FrameworkSourceDrivers() const { return drivers * 20 / 100; }
  int ProductDrivers() const { return drivers * 20 / 100; }
  int WycDrivers() const { return drivers - FrameworkLibraryDrivers() - FrameworkSourceDrivers() - ProductDrivers(); }
  std::string Root() const { return std::string(1, drive) + ":\\"; }
};

const Installation kSmall{'G', 2000};
const Installation kLarge{'H', 20000};

void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void List(std::string& out, const char* container, const char* item, const std::vector<std::string>& items) {
  out += std::string("<") + container + ">";
  for (const std::string& text : items) out += std::string("<") + item + ">" + text + "</" + item + ">";
  out += std::string("</") + container + ">";
}

// A component about the size of the sample's: headers, settings, one section and one source, and
// up to three dependencies on components listed before it.
std::string Description(int n) {
  const std::string name = "TqGen" + std::to_string(n);
  std::string out = "<?xml version=\"1.0\"?>\r\n<Component xmlns=\"urn:sablewing:component-description\">";
  out += "<Hidden>" + std::string(n % 10 == 0 ? "1" : "0") + "</Hidden><SelectedByDefault>0</SelectedByDefault>";
  out += "<MFCRequired>1</MFCRequired><ComponentName>" + name + "</ComponentName>";
  out += "<ComponentDescription>Generated component " + std::to_string(n) + "</ComponentDescription>";
  out += "<Category>Core Components</Category><XMLFormatVersion>1.0</XMLFormatVersion><Namespace>TqGen</Namespace>";
  List(out, "ComponentHeaders", "ComponentHeader", {"$(SABLEWING_CPP_DIR)\\include\\" + name + ".h"});
  List(out, "CompilerReleaseSettings", "CompilerReleaseSetting", {"/I \"$(SABLEWING_CPP_DIR)\\include\"", "/D \"TQ_GEN\""});
  List(out, "CompilerDebugSettings", "CompilerDebugSetting", {"/I \"$(SABLEWING_CPP_DIR)\\include\"", "/D \"TQ_GEN\""});
  List(out, "LinkerReleaseSettings", "LinkerReleaseSetting", {name + ".lib"});
  List(out, "LinkerDebugSettings", "LinkerDebugSetting", {name + "d.lib"});
  List(out, "IncludesFileHeaderIncludes", "IncludesFileHeaderInclude", {name + ".h"});
  std::vector<std::string> deps;
  for (int d = 1; d <= 3 && n - d * 7 >= 0; ++d) deps.push_back("TqGen" + std::to_string(n - d * 7));
  List(out, "ComponentDependancies", "ComponentDependancies", deps);
  out += "<Sections><Section><GUID>8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5B</GUID><SectionEntries>"
         "<SectionEntry><Type>ClassName</Type><Value>CTqGen</Value></SectionEntry>"
         "<SectionEntry><Type>HeaderFile</Type><Value>TqGen.h</Value></SectionEntry>"
         "</SectionEntries></Section></Sections>";
  out += "<Sources><Source><SourceFile>$(SABLEWING_CPP_DIR)\\source\\" + name + ".cpp</SourceFile>"
         "<AddCompilerSettings/><RemoveAddCompilerSettings/><SubtractCompilerSettings><SubtractCompilerSettings>"
         "<SubtractCompilerSetting>/Yu\"stdafx.h\"</SubtractCompilerSetting></SubtractCompilerSettings>"
         "</SubtractCompilerSettings><RemoveSubtractCompilerSettings/></Source></Sources>";
  return out + "</Component>\r\n";
}

// A version-4 function panel file with its description at offset 84.
std::string FunctionPanel(const std::string& name) {
  std::string bytes(128, '\0');
  const unsigned char head[] = {0x73, 0xFE, 0x01, 0xBA, 0, 0, 0, 4};
  bytes.replace(0, sizeof head, reinterpret_cast<const char*>(head), sizeof head);
  const std::string description = name + " instrument driver\n";
  bytes.replace(84, description.size(), description);
  return bytes;
}

// The installation on its drive, built once per process.
void Build(const Installation& installation) {
  const fs::path root = sandbox::MapTempDrive(installation.drive);
  for (int n = 0; n < kDescriptions; ++n)
    Write(root / "Sablewing" / "Components" / ("TqGen" + std::to_string(n) + ".xml"), Description(n));
  const fs::path framework = root / "VXIPNP" / "WinNT";
  const int frameworkDrivers = installation.FrameworkLibraryDrivers() + installation.FrameworkSourceDrivers();
  for (int n = 0; n < frameworkDrivers; ++n) {
    const std::string name = "vx" + std::to_string(n);
    Write(framework / "include" / (name + ".h"), "/* driver */\r\n");
    Write(framework / name / (name + ".fp"), FunctionPanel(name));
    if (n < installation.FrameworkLibraryDrivers())
      Write(framework / "lib" / "Msc" / (name + (n % 2 ? "_32.lib" : ".lib")), "!<arch>\n");
    else
      Write(framework / name / (name + ".c"), "/* source */\r\n");
  }
  for (const char* excluded : {"visa.h", "visatype.h", "vpptype.h", "ivi.h"}) Write(framework / "include" / excluded, "");
  for (int n = 0; n < installation.ProductDrivers(); ++n) {
    const std::string name = "pr" + std::to_string(n);
    for (const char* ext : {".h", ".c", ".fp"})
      Write(root / "Sablewing" / "instr" / (name + ext), ext == std::string(".fp") ? FunctionPanel(name) : "/* */\r\n");
  }
  for (int n = 0; n < installation.WycDrivers(); ++n) {
    const std::string name = "wy" + std::to_string(n);
    Write(root / "Wyc" / "instr" / (name + ".h"), "/* */\r\n");
    Write(root / "Wyc" / "instr" / (name + ".c"), "/* */\r\n");
    Write(root / "Wyc" / "instr" / (n % 2 ? "iviclass" : "") / (name + ".fp"), FunctionPanel(name));
  }
}

// The registry of a machine with that installation.
void Select(const Installation& installation) {
  const std::string root = installation.Root();
  sandbox::RegistrySetString("HKLM\\Software\\Vellacott\\Sablewing\\VC", "InstallDir", root + "Sablewing");
  sandbox::RegistrySetString("HKLM\\SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion", "VXIPNPPATH",
                             root + "VXIPNP\\");
  sandbox::RegistrySetString("HKLM\\SOFTWARE\\Vellacott\\Wyc\\6.0", "InstallDir", root + "Wyc");
}

void Load(benchmark::State& state, const Installation& installation) {
  Select(installation);
  size_t records = 0;
  for (auto _ : state) {
    CInformationDepot depot;
    depot.LoadComponents(NULL);
    records = depot.GetComponents().size();
  }
  if (records != static_cast<size_t>(kDescriptions + installation.drivers))
    state.SkipWithError(("the load found " + std::to_string(records) + " records").c_str());
}

// The names in one folder, through FindFirstFile and FindNextFile.
size_t ListFolder(const std::string& folder, std::vector<std::string>* subfolders) {
  WIN32_FIND_DATA found;
  HANDLE search = FindFirstFile((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  size_t count = 0;
  do {
    ++count;
    const std::string name = found.cFileName;
    if (subfolders != nullptr && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      subfolders->push_back(folder + "\\" + name);
  } while (FindNextFile(search, &found));
  FindClose(search);
  return count;
}

// The header of a function panel file: its version and its description, at most 144 bytes.
size_t ReadPanelHeader(const std::string& path) {
  HANDLE file = CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  if (file == INVALID_HANDLE_VALUE) return 0;
  char header[144];
  DWORD read = 0;
  ReadFile(file, header, sizeof header, &read, NULL);
  CloseHandle(file);
  return read;
}

// The function panel files of the installation's drivers.
std::vector<std::string> PanelsOf(const Installation& installation) {
  const std::string root = installation.Root();
  const std::string framework = root + "VXIPNP\\WinNT";
  std::vector<std::string> panels;
  for (int n = 0; n < installation.FrameworkLibraryDrivers() + installation.FrameworkSourceDrivers(); ++n)
    panels.push_back(framework + "\\vx" + std::to_string(n) + "\\vx" + std::to_string(n) + ".fp");
  for (int n = 0; n < installation.ProductDrivers(); ++n)
    panels.push_back(root + "Sablewing\\instr\\pr" + std::to_string(n) + ".fp");
  for (int n = 0; n < installation.WycDrivers(); ++n)
    panels.push_back(root + "Wyc\\instr\\" + (n % 2 ? "iviclass\\" : "") + "wy" + std::to_string(n) + ".fp");
  return panels;
}

// The least a load must do: the descriptions read, each driver folder listed, each panel file's
// head read.
size_t FloorPass(const Installation& installation, const std::vector<std::string>& panels) {
  const std::string root = installation.Root();
  const std::string framework = root + "VXIPNP\\WinNT";
  std::vector<CComponent> records;
  for (int n = 0; n < kDescriptions; ++n) {
    CComponent record;
    CComponentXML reader((root + "Sablewing\\Components\\TqGen" + std::to_string(n) + ".xml").c_str());
    reader.Read(record);
    records.push_back(record);
  }
  std::vector<std::string> folders;
  size_t seen = ListFolder(framework, &folders);
  for (const std::string& folder : folders) seen += ListFolder(folder, nullptr);
  seen += ListFolder(framework + "\\lib\\Msc", nullptr);
  for (const char* folder : {"Sablewing\\instr", "Wyc\\instr", "Wyc\\instr\\iviclass"})
    seen += ListFolder(root + folder, nullptr);
  for (const std::string& panel : panels) seen += ReadPanelHeader(panel);
  return seen + records.size();
}

void Floor(benchmark::State& state, const Installation& installation) {
  Select(installation);
  const std::vector<std::string> panels = PanelsOf(installation);
  for (auto _ : state) benchmark::DoNotOptimize(FloorPass(installation, panels));
}

// The file calls of one load and of its floor, per record, from the sandbox's record of them:
// how many searches ("find") and opens each does.
void PrintFileCalls(const Installation& installation) {
  Select(installation);
  const std::vector<std::string> panels = PanelsOf(installation);
  auto count = [](const std::function<void()>& run, double records) {
    sandbox::RecordFileCalls(true);
    run();
    const std::vector<sandbox::FileCall> calls = sandbox::RecordedFileCalls();
    sandbox::RecordFileCalls(false);
    double finds = 0, opens = 0;
    for (const sandbox::FileCall& call : calls) {
      finds += call.operation == "find" ? 1 : 0;
      opens += call.operation == "open" ? 1 : 0;
    }
    return std::make_pair(finds / records, opens / records);
  };
  const double records = kDescriptions + installation.drivers;
  const auto load = count([] { CInformationDepot().LoadComponents(NULL); }, records);
  const auto floor = count([&] { FloorPass(installation, panels); }, records);
  std::printf("file calls per record, %d drivers: load %.2f searches and %.2f opens, floor %.2f and %.2f\n",
              installation.drivers, load.first, load.second, floor.first, floor.second);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Each round holds all four, so that the growth pairs the two loads as well.
  std::vector<bench::Side> sides;
  for (const Installation* installation : {&kSmall, &kLarge}) {
    Build(*installation);  // before any timing
    const std::string arg = "/" + std::to_string(installation->drivers);
    sides.push_back({"Floor" + arg, [installation](benchmark::State& state) { Floor(state, *installation); }});
    sides.push_back({"Load" + arg, [installation](benchmark::State& state) { Load(state, *installation); }});
  }
  for (const Installation* installation : {&kSmall, &kLarge}) PrintFileCalls(*installation);
  bench::Interleave(sides, {.iterations = 1}, 5);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("depot load / its floor, 500 descriptions and 2,000 drivers", "Load/2000", "Floor/2000", 2);
  reporter.Goal("depot load / its floor, 500 descriptions and 20,000 drivers", "Load/20000", "Floor/20000", 2);
  reporter.Goal("depot load, 20,000 / 2,000 drivers", "Load/20000", "Load/2000", 11);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
