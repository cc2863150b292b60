// Loading a generated installation of 500 component description files and 2,000 instrument
// drivers through the depot, beside its two halves run alone (the 500 files read through
// CComponentXML, the drivers walked by the enumerator), so that the depot's own share (duplicate
// checks, dependency links) shows as the difference; and the files half loaded through the depot
// beside the same files read alone. Prints the figures and the ratios.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "ComponentXML.h"
#include "InformationDepot.h"
#include "InstrumentDriverEnumerator.h"
#include "sandbox/sandbox.h"

namespace {

namespace fs = std::filesystem;

const int kDescriptions = 500;
const int kFrameworkLibraryDrivers = 900;
const int kFrameworkSourceDrivers = 400;
const int kProductDrivers = 400;
const int kWycDrivers = 300;  // 2,000 drivers in all

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

// The installation on drive G:, with the registry pointing at it; built once per process.
void BuildInstallation() {
  static bool built = false;
  if (built) return;
  built = true;
  const fs::path root = sandbox::MapTempDrive('G');
  for (int n = 0; n < kDescriptions; ++n)
    Write(root / "Sablewing" / "Components" / ("TqGen" + std::to_string(n) + ".xml"), Description(n));
  const fs::path framework = root / "VXIPNP" / "WinNT";
  for (int n = 0; n < kFrameworkLibraryDrivers + kFrameworkSourceDrivers; ++n) {
    const std::string name = "vx" + std::to_string(n);
    Write(framework / "include" / (name + ".h"), "/* driver */\r\n");
    Write(framework / name / (name + ".fp"), FunctionPanel(name));
    if (n < kFrameworkLibraryDrivers)
      Write(framework / "lib" / "Msc" / (name + (n % 2 ? "_32.lib" : ".lib")), "!<arch>\n");
    else
      Write(framework / name / (name + ".c"), "/* source */\r\n");
  }
  for (const char* excluded : {"visa.h", "visatype.h", "vpptype.h", "ivi.h"}) Write(framework / "include" / excluded, "");
  for (int n = 0; n < kProductDrivers; ++n) {
    const std::string name = "pr" + std::to_string(n);
    for (const char* ext : {".h", ".c", ".fp"})
      Write(root / "Sablewing" / "instr" / (name + ext), ext == std::string(".fp") ? FunctionPanel(name) : "/* */\r\n");
  }
  for (int n = 0; n < kWycDrivers; ++n) {
    const std::string name = "wy" + std::to_string(n);
    Write(root / "Wyc" / "instr" / (name + ".h"), "/* */\r\n");
    Write(root / "Wyc" / "instr" / (name + ".c"), "/* */\r\n");
    Write(root / "Wyc" / "instr" / (n % 2 ? "iviclass" : "") / (name + ".fp"), FunctionPanel(name));
  }
}

void SetUpWorld() {
  BuildInstallation();
  sandbox::RegistrySetString("HKLM\\Software\\Vellacott\\Sablewing\\VC", "InstallDir", "G:\\Sablewing");
  sandbox::RegistrySetString("HKLM\\SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion", "VXIPNPPATH", "G:\\VXIPNP\\");
  sandbox::RegistrySetString("HKLM\\SOFTWARE\\Vellacott\\Wyc\\6.0", "InstallDir", "G:\\Wyc");
}

std::map<std::string, double>& Seconds() {
  static std::map<std::string, double> seconds;
  return seconds;
}

void Record(benchmark::State& state, const char* name, double total) {
  Seconds()[name] = total / static_cast<double>(state.iterations());
}

void BM_LoadComponents(benchmark::State& state) {
  SetUpWorld();
  size_t records = 0;
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    CInformationDepot depot;
    depot.LoadComponents(NULL);
    records = depot.GetComponents().size();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  if (records != static_cast<size_t>(kDescriptions + kFrameworkLibraryDrivers + kFrameworkSourceDrivers +
                                     kProductDrivers + kWycDrivers))
    state.SkipWithError(("the load found " + std::to_string(records) + " records").c_str());
  state.counters["records"] = static_cast<double>(records);
  Record(state, "load", total);
}

void BM_ReadDescriptionsAlone(benchmark::State& state) {
  SetUpWorld();
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<CComponent> records;
    for (int n = 0; n < kDescriptions; ++n) {
      CComponent record;
      CComponentXML reader("G:\\Sablewing\\Components\\TqGen" + CString(std::to_string(n).c_str()) + ".xml");
      reader.Read(record);
      records.push_back(record);
    }
    benchmark::DoNotOptimize(records.data());
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  Record(state, "descriptions", total);
}

void BM_EnumerateDriversAlone(benchmark::State& state) {
  SetUpWorld();
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    CInformationDepot depot;
    std::vector<CComponent> records;
    CInstrumentDriverEnumerator drivers(&depot);
    for (bool found = drivers.FindFirst(); found; found = drivers.FindNext()) {
      CComponent record;
      drivers.CreateComponent(record);
      records.push_back(record);
    }
    benchmark::DoNotOptimize(records.data());
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  Record(state, "drivers", total);
}

// The files half as the depot loads it (no framework, so no drivers), beside reading the same
// files alone: the depot's own cost of a load without the enumerator's file searches around it.
void BM_LoadDescriptionsOnly(benchmark::State& state) {
  SetUpWorld();
  sandbox::RegistryDeleteKey("HKLM\\SOFTWARE\\VXIPNP_Alliance");
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    CInformationDepot depot;
    depot.LoadComponents(NULL);
    if (depot.GetComponents().size() != static_cast<size_t>(kDescriptions)) state.SkipWithError("records missing");
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  Record(state, "descriptions load", total);
}

// A load takes long enough that one run of each half is a fair figure.
BENCHMARK(BM_LoadComponents)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadDescriptionsAlone)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_EnumerateDriversAlone)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_LoadDescriptionsOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  auto& s = Seconds();
  if (s.count("load") && s.count("descriptions") && s.count("drivers")) {
    const double parts = s["descriptions"] + s["drivers"];
    std::printf("\nload %.1f ms: descriptions alone %.1f ms, drivers alone %.1f ms, load / (sum) = %.2f\n",
                s["load"] * 1e3, s["descriptions"] * 1e3, s["drivers"] * 1e3, s["load"] / parts);
  }
  if (s.count("descriptions") && s.count("descriptions load")) {
    std::printf("descriptions through the depot %.1f ms / alone %.1f ms = %.2f\n", s["descriptions load"] * 1e3,
                s["descriptions"] * 1e3, s["descriptions load"] / s["descriptions"]);
  }
  return 0;
}
