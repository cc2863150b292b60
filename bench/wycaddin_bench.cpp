// The Wyc add-in's check before every build, on a project whose table is up to date: a generated
// project of 20,000 source files naming 500 .uir files, open in the IDE stand-in with
// HgWycAddIn.dll loaded (registered by regsvr32, made through COM) and switched on for it. The
// user's Build command reaches the add-in's BeforeBuildStart, which asks the IDE for the active
// project, scans the project file and stamps every .uir file, and finds nothing to do. Beside it,
// a plain line read of the same project file through the same text-mode stream calls (the run
// time's fopen and fgets over kernel32). Prints how the two compare.
#include <benchmark/benchmark.h>

#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ratio_reporter.h"
#include "regsvr32.h"
#include "sandbox/msdev.h"
#include "sandbox/sandbox.h"

#include <standin_stdio.h>

#include "line_read.h"

namespace {

const int kSourceFiles = 20000;
const int kUIRFiles = 500;

const char kProject[] = "T:\\Big\\Big.dsp";
const char kWorkspace[] = "T:\\Big\\Big.dsw";

// A project file as the IDE writes it, its source files in groups, every 40th a .uir file, CR LF.
std::string GeneratedProject(const std::string& hostFolder) {
  std::string text =
      "# Microsoft Developer Studio Project File - Name=\"Big\" - Package Owner=<4>\r\n"
      "# Microsoft Developer Studio Generated Build File, Format Version 6.00\r\n# ** DO NOT EDIT **\r\n\r\n"
      "# TARGTYPE \"Win32 (x86) Application\" 0x0101\r\n\r\nCFG=Big - Win32 Debug\r\n"
      "!MESSAGE \"Big - Win32 Release\" (based on \"Win32 (x86) Application\")\r\n"
      "!MESSAGE \"Big - Win32 Debug\" (based on \"Win32 (x86) Application\")\r\n"
      "# Begin Project\r\n# Begin Target\r\n\r\n# Name \"Big - Win32 Release\"\r\n# Name \"Big - Win32 Debug\"\r\n";
  std::filesystem::create_directories(hostFolder + "/panels");
  char block[512];
  for (int i = 0; i < kSourceFiles; ++i) {
    if (i % 100 == 0) {
      std::snprintf(block, sizeof block, "# Begin Group \"Group %d\"\r\n\r\n# PROP Default_Filter \"c;h;uir\"\r\n",
                    i / 100);
      text += block;
    }
    const int uir = i / 40;
    if (i % 40 == 0 && uir < kUIRFiles) {
      std::snprintf(block, sizeof block, "panel%03d.uir", uir);
      std::ofstream(hostFolder + "/panels/" + block) << "WycUIR 1\nPanel Panel" << uir << "CB\n";
      std::snprintf(block, sizeof block, "# Begin Source File\r\n\r\nSOURCE=.\\panels\\panel%03d.uir\r\n# End Source File\r\n",
                    uir);
    } else {
      std::snprintf(block, sizeof block,
                    "# Begin Source File\r\n\r\nSOURCE=.\\source\\module%05d.c\r\n"
                    "# ADD CPP /I \"..\\include\" /D \"MODULE=%d\" /Yu\"stdafx.h\"\r\n# End Source File\r\n",
                    i, i);
    }
    text += block;
    if (i % 100 == 99) text += "# End Group\r\n";
  }
  text += "# End Target\r\n# End Project\r\n";
  return text;
}

// The world: the project and its workspace on T:, the engine where the loader finds it, the
// add-in registered, the IDE started with the workspace open, and the add-in switched on for the
// project by a ".hga" file naming no .uir file yet, so that the first build writes the table and
// saves the state every later build finds unchanged.
void MakeWorld() {
  const std::string host = sandbox::MapTempDrive('T') + "/Big";
  std::filesystem::create_directories(host);
  std::ofstream(host + "/Big.dsp", std::ios::binary) << GeneratedProject(host);
  std::ofstream(host + "/Big.dsw", std::ios::binary)
      << "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n\r\n"
         "Project: \"Big\"=.\\Big.dsp - Package Owner=<4>\r\n\r\nGlobal:\r\n";
  std::ofstream(host + "/Big.hga", std::ios::binary)
      << "[UIRMgr]\r\nVersion = 100\r\nPromptDSPSave = False\r\nTableFile = \"T:\\Big\\UIRCallbackTable.c\"\r\n";
  std::filesystem::create_directories(host + "/rt");
  std::filesystem::copy_file(WYCRTE_LIBRARY_FILE, host + "/rt/wycrte.dll");
  sandbox::SetModuleSearchPath({"T:\\Big\\rt"});
  sandbox::SetSleepMovesClock(true);  // the table writer's pause
  CoInitialize(nullptr);
  if (Regsvr32({"/s", sandbox::WindowsPath(HGWYCADDIN_FILE)}) != kRegsvr32Done) std::abort();
  sandbox::msdev::StartIde();
  if (sandbox::msdev::AddIns().size() != 1 || !sandbox::msdev::OpenWorkspace(kWorkspace)) std::abort();
  sandbox::msdev::Build();
  if (sandbox::msdev::OutputPaneText().empty()) std::abort();  // the table was written once
}

void LineRead(benchmark::State& state) { bench::LineRead(state, kProject); }

void BeforeBuildCheck(benchmark::State& state) {
  const std::string written = sandbox::msdev::OutputPaneText();
  for (auto _ : state) benchmark::DoNotOptimize(sandbox::msdev::Build());
  if (sandbox::msdev::OutputPaneText() != written) state.SkipWithError("the table was written again");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MakeWorld();  // before any timing
  bench::Interleave({{"LineRead", LineRead}, {"BeforeBuildCheck", BeforeBuildCheck}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("Wyc add-in's check before a build / line read, 20,000 source files naming 500 .uir files",
                "BeforeBuildCheck", "LineRead", 2);
  reporter.PrintGoals();
  sandbox::msdev::StopIde();
  benchmark::Shutdown();
  return 0;
}
