// Applying 50 components to a generated project of 10,000 source files, beside a plain read and
// write of the same four files (project, workspace, includes header, precompiled header) through
// the project-file classes: how the customizer's run compares with the plain round trip.
//
// The customizer runs as in the IDE: the workspace is open in the IDE stand-in and the bridge saves,
// cleans and closes it before the files are written. Backups are off on both sides, so that both
// write the same files.
#include <benchmark/benchmark.h>

#include <comdef.h>
#include <objmodel/appauto.h>

#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Component.h"
#include "TqFile.h"
#include "bridge/VSApplication.h"
#include "customizer/VSProjectCustomizer.h"
#include "editors/DspEditor.h"
#include "editors/DswEditor.h"
#include "editors/IncludesFileEditor.h"
#include "editors/ReplaceFile.h"
#include "generated_projects.h"
#include "ratio_reporter.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"

namespace {

const int kFiles = 10000;
const int kComponents = 50;
const int kGroups = 5;

const char kWorkspace[] = "T:\\Big\\Big.dsw";
const char kProject[] = "T:\\Big\\Big.dsp";
const char kIncludes[] = "T:\\Big\\TqIncludes.h";
const char kStdAfx[] = "T:\\Big\\StdAfx.h";

std::string StdAfx() {
  return bench::Lines({"#include <afxwin.h>", "", "//{{AFX_INSERT_LOCATION}}",
                "// Microsoft Visual C++ will insert additional declarations immediately before the previous line."});
}

// Fifty selected components, every tenth an instrument driver, each with headers, a source with
// its own settings, Debug and Release settings, a section, a control GUID and an includes line.
std::vector<CComponent> GeneratedCatalogue() {
  std::vector<CComponent> catalogue(kComponents);
  for (int i = 0; i < kComponents; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "%02d", i);
    const CString name = CString("Comp") + id;
    char guid[64];
    std::snprintf(guid, sizeof guid, "8A2C4E%02X-3B5D-4F61-9E7A-0C1D2E3F4A5B", i);
    CComponent& c = catalogue[i];
    c.ComponentName = name;
    c.Category = i % 10 == 9 ? "Legacy C and IVI C Drivers" : "Core Components";
    c.InVXIPNP = i % 10 == 9;
    c.Namespace = CString("NS") + id;
    c.Selected = true;
    c.ComponentHeaders = {"$(CPP)\\include\\" + name + ".h", "$(CPP)\\include\\" + name + "Impl.h"};
    ComponentSource source;
    source.SourceFile = "$(CPP)\\source\\" + name + ".cpp";
    source.AddCompilerSettings = {"/D \"" + name + "_EXPORTS\""};
    source.SubtractCompilerSettings = {"/Yu\"stdafx.h\""};
    c.ComponentSources = {source};
    c.CompilerReleaseSettings = {"/I \"$(CPP)\\include\"", "/D \"USE_" + name + "\""};
    c.CompilerDebugSettings = {"/I \"$(CPP)\\include\"", "/D \"USE_" + name + "\""};
    c.LinkerReleaseSettings = {name + ".lib"};
    c.LinkerDebugSettings = {name + "d.lib"};
    ComponentSection section;
    section.GUID = guid;
    section.SectionEntries = {{"ClassName", "C" + name}, {"HeaderFile", name + ".h"}, {"ImplFile", name + ".cpp"}};
    c.Sections = {section};
    c.DSWControlPalletGuids = {guid};
    c.IncludesFileHeaderIncludes = {name + ".h"};
  }
  return catalogue;
}

struct World {
  std::string host;
  std::string project, workspace, stdafx;
  IApplication* ide = NULL;
  std::vector<CComponent> catalogue = GeneratedCatalogue();

  World() {
    host = sandbox::MapTempDrive('T');
    project = bench::GeneratedProject("Big", kFiles, kGroups);
    workspace = bench::GeneratedWorkspace({{"Big", ".\\Big.dsp"}});
    stdafx = StdAfx();
    Restore();
    CoInitialize(NULL);
    sandbox::msdev::StartIde();
    sandbox::msdev::OpenWorkspace(kWorkspace);
    CoCreateInstance(CLSID_Application, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication, reinterpret_cast<void**>(&ide));
  }

  void Write(const char* name, const std::string& bytes) {
    std::ofstream(host + "/Big/" + name, std::ios::binary) << bytes;
  }

  // The four files as before any run, and the workspace freshly opened in the IDE. Both benchmarks
  // start from this same state: the IDE's reading of the 10,000-file project leaves the caches and
  // the heap otherwise than no reading, and that alone moved the ratio by half.
  void Restore() {
    std::filesystem::create_directories(host + "/Big");
    Write("Big.dsp", project);
    Write("Big.dsw", workspace);
    Write("StdAfx.h", stdafx);
    std::filesystem::remove(host + "/Big/TqIncludes.h");
    if (ide == NULL) return;
    sandbox::msdev::CloseWorkspace();
    sandbox::msdev::OpenWorkspace(kWorkspace);
  }
};

World& TheWorld() {
  static World* world = new World;
  return *world;
}

// Times `run` on the four files as before any run; a thrown exception ends the benchmark.
template <typename Run>
void Timed(benchmark::State& state, Run run) {
  World& world = TheWorld();
  for (auto _ : state) {
    state.PauseTiming();
    world.Restore();
    state.ResumeTiming();
    try {
      run(world);
    } catch (CException* e) {
      e->Delete();
      state.SkipWithError("the run failed");
      return;
    }
  }
}

void Customize(benchmark::State& state) {
  Timed(state, [](World& world) {
    CVSApplication app(world.ide);
    app.LoadActiveProject();
    CVSProjectCustomizer(true).ApplyComponentSelection(app, world.catalogue, false, NULL, NULL);
  });
}

void ReadAndWrite(benchmark::State& state) {
  Timed(state, [](World&) {
    CDswEditor dsw;
    CDspEditor dsp;
    CIncludesFileEditor includes;
    dsw.Open(kWorkspace);
    dsp.Open(kProject);
    includes.Open(kIncludes);
    CString stdafx;
    TQ::ReadTextFile(kStdAfx, stdafx);
    dsp.Save();
    dsw.Save();
    includes.Save();
    WriteFileReplacing(kStdAfx, [&stdafx](CStdioFile& file) { file.WriteString(stdafx); });
  });
}

}  // namespace

int main(int argc, char** argv) {
  // The large buffers of a 10,000-file project would otherwise come and go as fresh pages until the
  // allocator adapts its thresholds, at a cost that falls on whichever benchmark runs first.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  benchmark::Initialize(&argc, argv);
  bench::Interleave({{"ReadAndWrite", ReadAndWrite}, {"Customize", Customize}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("50 components applied / plain read and write of the four files, 10,000 source files", "Customize",
                "ReadAndWrite", 1.5);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
