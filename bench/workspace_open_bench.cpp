// The add-in's handling of an opened workspace of 20 projects of 5,000 source files each, none
// made for the 1.0 library, beside a plain read of the same 20 project files through the same
// file class: what looking for 1.0 projects costs when a workspace opens.
//
// The handler runs as in the IDE: the commands object connected to the IDE stand-in's
// application, the workspace open there, the handler called as its sink is when the workspace
// opens.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "generated_projects.h"
#include "ratio_reporter.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"

CComModule _Module;

namespace {

const int kProjects = 20;
const int kFiles = 5000;
const int kGroups = 5;

const char kWorkspace[] = "T:\\Suite\\Suite.dsw";

std::string ProjectName(int i) { return "Part" + std::to_string(i); }
std::string ProjectPath(int i) { return "T:\\Suite\\" + ProjectName(i) + "\\" + ProjectName(i) + ".dsp"; }

struct World {
  CComObject<CCommands>* commands = NULL;

  World() {
    const std::string host = sandbox::MapTempDrive('T');
    std::vector<std::pair<std::string, std::string>> projects;
    for (int i = 0; i < kProjects; ++i) {
      const std::string name = ProjectName(i);
      std::filesystem::create_directories(host + "/Suite/" + name);
      std::ofstream(host + "/Suite/" + name + "/" + name + ".dsp", std::ios::binary)
          << bench::GeneratedProject(name, kFiles, kGroups);
      projects.push_back({name, ".\\" + name + "\\" + name + ".dsp"});
    }
    std::ofstream(host + "/Suite/Suite.dsw", std::ios::binary) << bench::GeneratedWorkspace(projects);
    CoInitialize(NULL);
    sandbox::msdev::StartIde();
    sandbox::msdev::OpenWorkspace(kWorkspace);
    IApplication* ide = NULL;
    CoCreateInstance(CLSID_Application, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication, reinterpret_cast<void**>(&ide));
    CComObject<CCommands>::CreateInstance(&commands);
    commands->AddRef();
    commands->SetApplicationObject(ide);
    ide->Release();
  }
};

World& TheWorld() {
  static World* world = new World;
  return *world;
}

void WorkspaceOpen(benchmark::State& state) {
  World& world = TheWorld();
  for (auto _ : state) world.commands->OnWorkspaceOpen();
  // The handler found no 1.0 project: it showed nothing and left the workspace open.
  if (!sandbox::Modals().empty() || sandbox::msdev::WorkspacePath() != kWorkspace)
    state.SkipWithError("the handler did more than look");
}

void PlainRead(benchmark::State& state) {
  TheWorld();
  for (auto _ : state) {
    for (int i = 0; i < kProjects; ++i) {
      CStdioFile file(ProjectPath(i).c_str(), CFile::modeRead | CFile::shareDenyNone | CFile::typeText);
      CString text, line;
      while (file.ReadString(line)) text += line + "\n";
      benchmark::DoNotOptimize(text.GetLength());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  benchmark::Initialize(&argc, argv);
  TheWorld();  // written and opened before any timing
  bench::Interleave({{"PlainRead", PlainRead}, {"WorkspaceOpen", WorkspaceOpen}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("WorkspaceOpen / plain read of the project files, 20 projects of 5,000 source files, none 1.0",
                "WorkspaceOpen", "PlainRead", 1.5);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
