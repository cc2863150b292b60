// Reading and writing back a large project file, beside a plain line-by-line copy of the same
// file through the same text-mode file class. Prints how the round trip compares with the copy,
// and how both grow from 20,000 to 200,000 source files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

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

void LineCopy(benchmark::State& state) {
  const std::string source = ProjectPath(static_cast<int>(state.range(0)));
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

void ReadThenWrite(benchmark::State& state) {
  const std::string source = ProjectPath(static_cast<int>(state.range(0)));
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

// The ratios use the best of five repetitions: the machine is shared, and a slow repetition says
// more about the neighbours than about the code.
BENCHMARK(LineCopy)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);
BENCHMARK(ReadThenWrite)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&reporter](const std::string& a, const std::string& b) { return reporter.Ratio(a, b); };
  std::printf("\nround trip / line copy, 20,000 files:  %.2f (goal: at most 2)\n",
              ratio("ReadThenWrite/20000", "LineCopy/20000"));
  std::printf("round trip / line copy, 200,000 files: %.2f (goal: at most 2)\n",
              ratio("ReadThenWrite/200000", "LineCopy/200000"));
  std::printf("round trip, 200,000 / 20,000 files:    %.2f (goal: at most 11)\n",
              ratio("ReadThenWrite/200000", "ReadThenWrite/20000"));
  std::printf("line copy, 200,000 / 20,000 files:     %.2f\n", ratio("LineCopy/200000", "LineCopy/20000"));
  benchmark::Shutdown();
  return 0;
}
