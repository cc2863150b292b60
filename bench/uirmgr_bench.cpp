// The callback-table manager's scan of the project file, made before every build: a generated
// 20,000-line .dsp naming 500 .uir files (each opened for its time), beside a plain line read of
// the same file through the same stream calls (the run time's fopen and fgets over kernel32).
// Prints how the two compare.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ratio_reporter.h"
#include "sandbox/sandbox.h"
#include "uir/UIRMgr.h"

#include <standin_stdio.h>

#include "line_read.h"

// The bench carries the manager as the Wyc add-in does; the engine is never bound here.
extern const UINT g_nUIREngineMessageId = 110;

namespace {

const int kLines = 20000;
const int kUIRFiles = 500;

// A project file as the IDE writes it: header, settings, then groups of source files, every
// tenth or so a .uir file, padded with settings lines to kLines lines, CR LF.
std::string GeneratedProject(const std::string& hostFolder) {
  std::string text =
      "# Microsoft Developer Studio Project File - Name=\"Bench\" - Package Owner=<4>\r\n"
      "# Microsoft Developer Studio Generated Build File, Format Version 6.00\r\n# ** DO NOT EDIT **\r\n\r\n"
      "CFG=Bench - Win32 Debug\r\n# Begin Project\r\n# Begin Target\r\n\r\n# Name \"Bench - Win32 Debug\"\r\n";
  int lines = 9;
  std::filesystem::create_directories(hostFolder + "/panels");
  char line[512];
  for (int i = 0; lines < kLines - 2; ++i) {
    const bool uir = i % 8 == 0 && i / 8 < kUIRFiles;
    if (uir) {
      std::snprintf(line, sizeof line, "panel%03d.uir", i / 8);
      std::ofstream(hostFolder + "/panels/" + line) << "WycUIR 1\n";
      std::snprintf(line, sizeof line, "# Begin Source File\r\n\r\nSOURCE=.\\panels\\panel%03d.uir\r\n# End Source File\r\n",
                    i / 8);
    } else {
      std::snprintf(line, sizeof line,
                    "# Begin Source File\r\n\r\nSOURCE=.\\source\\module%05d.c\r\n"
                    "# ADD CPP /I \"..\\include\" /D \"MODULE=%d\" /Yu\"stdafx.h\"\r\n# End Source File\r\n",
                    i, i);
    }
    text += line;
    lines += uir ? 4 : 5;
  }
  while (lines < kLines - 2) {
    text += "# PROP Default_Filter \"\"\r\n";
    ++lines;
  }
  text += "# End Target\r\n# End Project\r\n";
  return text;
}

const char* ProjectFolder() {
  static const std::string host = sandbox::MapTempDrive('T');
  static const bool made = [] {
    std::ofstream(host + "/Bench.dsp", std::ios::binary) << GeneratedProject(host);
    return true;
  }();
  (void)made;
  return "T:\\";
}

void LineRead(benchmark::State& state) {
  const std::string path = std::string(ProjectFolder()) + "Bench.dsp";
  bench::LineRead(state, path.c_str());
}

void ScanProjectFile(benchmark::State& state) {
  const char* folder = ProjectFolder();
  CUIRMgr manager;
  for (auto _ : state) {
    int count = 0;
    try {
      benchmark::DoNotOptimize(manager.ScanProjectFile(folder, "Bench.dsp", count));
    } catch (CUIRMgrExc) {
      state.SkipWithError("scan failed");
      return;
    }
    if (count != kUIRFiles) {
      state.SkipWithError("not every .uir file was found");
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ProjectFolder();  // written before any timing
  bench::Interleave({{"LineRead", LineRead}, {"ScanProjectFile", ScanProjectFile}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("ScanProjectFile / line read, 20,000 lines naming 500 .uir files", "ScanProjectFile", "LineRead", 2);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
