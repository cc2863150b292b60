// Reading and writing back a large project file, beside a plain line-by-line copy of the same
// file through the same text-mode file class: how the round trip compares with the copy in CPU
// time, how both grow from 20,000 to 200,000 source files, and how much memory the model of the
// file takes while it is read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "dsp/DspFile.h"
#include "dsp/DspFileBuilder.h"
#include "ratio_reporter.h"
#include "sandbox/sandbox.h"

namespace {

const int kGroups = 6;
const int kConfigurations = 4;

// A project as the IDE writes it: four configurations, six groups, and every tenth source file
// with per-configuration compiler lines.
std::string GeneratedProject(int files) {
  std::string text;
  text.reserve(static_cast<size_t>(files) * 130 + 16384);
  auto line = [&text](const std::string& s) { text += s + "\r\n"; };
  line("# Microsoft Developer Studio Project File - Name=\"Big\" - Package Owner=<4>");
  line("# Microsoft Developer Studio Generated Build File, Format Version 6.00");
  line("# ** DO NOT EDIT **");
  line("");
  line("# TARGTYPE \"Win32 (x86) Dynamic-Link Library\" 0x0102");
  line("");
  line("CFG=Big - Win32 Debug");
  line("");
  line("# Begin Project");
  line("CPP=cl.exe");
  line("");
  for (int c = 0; c < kConfigurations; ++c) {
    const std::string name = "Big - Win32 Config" + std::to_string(c);
    line(std::string(c == 0 ? "!IF" : "!ELSEIF") + "  \"$(CFG)\" == \"" + name + "\"");
    line("");
    line("# PROP BASE Use_MFC 6");
    line("# PROP Use_MFC 6");
    line("# PROP Output_Dir \"Out" + std::to_string(c) + "\"");
    line("# ADD BASE CPP /nologo /MD /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /Yu\"stdafx.h\" /FD /c");
    line(
        "# ADD CPP /nologo /MD /W3 /GX /O2 /I \"C:\\Program Files\\Sablewing\\include\" /D \"WIN32\" "
        "/D \"NDEBUG\" /D \"_WINDOWS\" /D \"_AFXDLL\" /D \"_USRDLL\" /Yu\"stdafx.h\" /FD /c");
    line("# ADD RSC /l 0x409 /d \"NDEBUG\" /d \"_AFXDLL\"");
    line("LINK32=link.exe");
    line(
        "# ADD LINK32 TqInterface.lib /nologo /subsystem:windows /dll /machine:I386 "
        "/libpath:\"C:\\Program Files\\Sablewing\\lib\"");
    line("");
  }
  line("!ENDIF ");
  line("");
  line("# Begin Target");
  line("");
  for (int c = 0; c < kConfigurations; ++c) line("# Name \"Big - Win32 Config" + std::to_string(c) + "\"");
  const int perGroup = files / kGroups;
  for (int g = 0; g < kGroups; ++g) {
    line("# Begin Group \"Group " + std::to_string(g) + "\"");
    line("");
    line("# PROP Default_Filter \"cpp;c;cxx;rc;def;r;odl;idl;hpj;bat\"");
    const int count = g == kGroups - 1 ? files - perGroup * (kGroups - 1) : perGroup;
    for (int f = 0; f < count; ++f) {
      line("# Begin Source File");
      line("");
      line("SOURCE=.\\source\\group" + std::to_string(g) + "\\Module" + std::to_string(f) + ".cpp");
      if (f % 10 == 0) {
        for (int c = 0; c < kConfigurations; ++c) {
          line("");
          line(std::string(c == 0 ? "!IF" : "!ELSEIF") + "  \"$(CFG)\" == \"Big - Win32 Config" + std::to_string(c) +
               "\"");
          line("");
          line("# ADD CPP /W4 /D \"MODULE_EXPORTS\"");
          line("# SUBTRACT CPP /YX /Yc /Yu");
        }
        line("");
        line("!ENDIF ");
        line("");
      }
      line("# End Source File");
    }
    line("# End Group");
  }
  line("# End Target");
  line("# End Project");
  return text;
}

// The project of `files` source files on the sandbox drive, made once per size.
std::string ProjectPath(int files) {
  static std::string host = sandbox::MapTempDrive('T');
  static std::map<int, std::string> made;
  auto found = made.find(files);
  if (found != made.end()) return found->second;
  const std::string name = "big" + std::to_string(files) + ".dsp";
  std::ofstream(host + "/" + name, std::ios::binary) << GeneratedProject(files);
  return made[files] = "T:\\" + name;
}

void LineCopy(benchmark::State& state, int files) {
  const std::string source = ProjectPath(files);
  for (auto _ : state) {
    CStdioFile in, out;
    if (!in.Open(source.c_str(), CFile::modeRead | CFile::shareDenyNone | CFile::typeText) ||
        !out.Open("T:\\copy.dsp", CFile::modeCreate | CFile::modeWrite | CFile::typeText)) {
      state.SkipWithError("cannot open");
      return;
    }
    CString line;
    while (in.ReadString(line)) {
      out.WriteString(line);
      out.WriteString("\n");
    }
    in.Close();
    out.Close();
  }
}

void ReadThenWrite(benchmark::State& state, int files) {
  const std::string source = ProjectPath(files);
  for (auto _ : state) {
    try {
      CDspFile file;
      CDspFileBuilder(source.c_str()).Build(file);
      CStdioFile out;
      if (!out.Open("T:\\written.dsp", CFile::modeCreate | CFile::modeWrite | CFile::typeText)) {
        state.SkipWithError("cannot open");
        return;
      }
      file.Write(out);
      out.Close();
    } catch (CException* e) {
      e->Delete();
      state.SkipWithError("the generated project was refused");
      return;
    }
  }
}

// The model's memory: one read per iteration, the peak of the process's resident memory above
// where it stood before, per byte of the file.
void ReadMemory(benchmark::State& state, int files) {
  const std::string source = ProjectPath(files);
  const double bytes = static_cast<double>(std::filesystem::file_size(sandbox::HostPath(source)));
  double perByte = 0;
  for (auto _ : state) {
    bench::PeakMemory peak;
    peak.Start();
    CDspFile file;
    try {
      CDspFileBuilder(source.c_str()).Build(file);
    } catch (CException* e) {
      e->Delete();
      state.SkipWithError("the generated project was refused");
      return;
    }
    perByte = peak.PeakGrowth() / bytes;
  }
  if (perByte < 0) state.SkipWithError("the peak of resident memory cannot be reset here");
  state.counters["bytes per byte"] = perByte;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<bench::Side> times, memory;
  for (int files : {20000, 200000}) {
    ProjectPath(files);  // written before any timing
    const std::string arg = "/" + std::to_string(files);
    times.push_back({"LineCopy" + arg, [files](benchmark::State& state) { LineCopy(state, files); }});
    times.push_back({"ReadThenWrite" + arg, [files](benchmark::State& state) { ReadThenWrite(state, files); }});
    memory.push_back({"ReadMemory" + arg, [files](benchmark::State& state) { ReadMemory(state, files); }});
  }
  bench::Interleave(times, {});
  bench::Interleave(memory, {.iterations = 1});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("round trip / line copy, 20,000 files", "ReadThenWrite/20000", "LineCopy/20000", 1.5);
  reporter.Goal("round trip / line copy, 200,000 files", "ReadThenWrite/200000", "LineCopy/200000", 1.5);
  reporter.Goal("round trip, 200,000 / 20,000 files", "ReadThenWrite/200000", "ReadThenWrite/20000", 11);
  reporter.Figure("line copy, 200,000 / 20,000 files", "LineCopy/200000", "LineCopy/20000");
  reporter.CounterGoal("model memory per byte of file, 200,000 files", "ReadMemory/200000", "bytes per byte", 2.5);
  reporter.CounterGoal("model memory per byte of file, 20,000 files", "ReadMemory/20000", "bytes per byte", 2.5);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
