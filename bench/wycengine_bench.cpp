// The generation engine's check of the function-panel modules over generated installations of
// 1,000 and of 10,000 modules. Module i names modules 3i+1, 3i+2 and 3i+3 (modulo the count), so
// every module is reached from the first, the last ones name the first ones again (cycles), and
// the names go no deeper than the tree's height. Each module has its panel file, C source and
// header in one folder. Prints how the two sizes compare.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "InformationDepot.h"
#include "engine/Engine.h"
#include "plugin/CurrentDepot.h"
#include "ratio_reporter.h"
#include "sandbox/files.h"
#include "sandbox/registry.h"
#include "sandbox/sandbox.h"

// The bench carries the engine as the Wyc plug-in does; the run-time engine is never bound here.
extern const UINT g_nUIREngineMessageId = 54;

namespace {

const char kWycKey[] = "HKLM\\Software\\Vellacott\\Wyc\\6.0";

void Put(std::string& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (24 - 8 * i));
}

// A panel file (magic, version 5, the name table at 64) naming the given modules.
std::string PanelFile(const std::vector<int>& modules) {
  std::string bytes;
  Put(bytes, 0x73FE01BA);
  Put(bytes, 5);
  bytes.resize(36, '\0');
  Put(bytes, 64);
  bytes.resize(64, '\0');
  Put(bytes, static_cast<uint32_t>(modules.size()));
  for (int module : modules) {
    const std::string name = "m" + std::to_string(module) + "_fp";
    Put(bytes, static_cast<uint32_t>(name.size() + 1));
    bytes += name;
    bytes += '\0';
  }
  return bytes;
}

// Drive T: holds, per size, an installation folder and the modules' folder.
std::string Installation(int count) {
  static const std::string host = sandbox::MapTempDrive('T');
  const std::string name = std::to_string(count);
  const std::string mods = host + "/Mods" + name;
  if (!std::filesystem::exists(mods)) {
    std::filesystem::create_directories(mods);
    std::filesystem::create_directories(host + "/Wyc/extlib");
    std::ofstream(host + "/Wyc/extlib/wycrt.lib") << "x";
    std::ofstream(host + "/Wyc/extlib/instrsup.lib") << "x";
    for (int i = 0; i < count; ++i) {
      const std::string base = mods + "/m" + std::to_string(i);
      std::ofstream(base + ".fp", std::ios::binary)
          << PanelFile({(3 * i + 1) % count, (3 * i + 2) % count, (3 * i + 3) % count});
      std::ofstream(base + ".c") << "x";
      std::ofstream(base + ".h") << "x";
    }
  }
  return "T:\\Mods" + name + "\\m0.fp";
}

void CheckFunctionPanels(benchmark::State& state, int count) {
  sandbox::RegistrySetString(kWycKey, "CompatibilityMode", "msvc");
  sandbox::RegistrySetString(kWycKey, "InstallDir", "T:\\Wyc");
  sandbox::RegistrySetString(std::string("HKCU\\Software\\Vellacott\\Wyc\\6.0\\Libraries"), "LibraryFPFile1",
                             Installation(count));
  CInformationDepot depot;
  g_pCurrentDepot = &depot;
  CMapStringToString dictionary;
  CEngine engine(&dictionary);
  engine.SelectInstallation("6.0");
  for (auto _ : state) {
    if (!engine.CheckFunctionPanels()) {
      state.SkipWithError("a module was not resolved");
      break;
    }
  }
  g_pCurrentDepot = NULL;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Installation(1000);  // written before any timing
  Installation(10000);
  bench::Interleave({{"CheckFunctionPanels/1000", [](benchmark::State& s) { CheckFunctionPanels(s, 1000); }},
                     {"CheckFunctionPanels/10000", [](benchmark::State& s) { CheckFunctionPanels(s, 10000); }}},
                    {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("CheckFunctionPanels, 10,000 modules / 1,000 modules", "CheckFunctionPanels/10000",
                "CheckFunctionPanels/1000", 12);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
