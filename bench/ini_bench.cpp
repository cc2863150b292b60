// Reading and then writing a generated settings file of 100,000 items in 1,000 sections through
// the INI-file library, beside a plain line scan and copy of the same file through the same
// stream calls (the run time's fopen, fgets and fputs over kernel32). Prints how the two compare.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "ini/IniFile.h"
#include "ratio_reporter.h"
#include "sandbox/sandbox.h"

#include <standin_stdio.h>

namespace {

const int kSections = 1000;
const int kItemsPerSection = 100;

// Sections of text, numbers and flags as the Wyc tools write them, CR LF.
std::string GeneratedSettings() {
  std::string text;
  text.reserve(static_cast<size_t>(kSections) * kItemsPerSection * 40);
  char line[256];
  for (int s = 0; s < kSections; ++s) {
    std::snprintf(line, sizeof line, "[Panel %04d]\r\n", s);
    text += line;
    for (int i = 0; i < kItemsPerSection; ++i) {
      switch (i % 4) {
        case 0:
          std::snprintf(line, sizeof line, "Callback %d = \"OnPanel%04dControl%d\"\r\n", i, s, i);
          break;
        case 1:
          std::snprintf(line, sizeof line, "Control %d = %d\r\n", i, s * 1000 + i);
          break;
        case 2:
          std::snprintf(line, sizeof line, "Visible %d = True\r\n", i);
          break;
        default:
          std::snprintf(line, sizeof line, "Label %d = \"Meter reading\\t%d of %d\"\r\n", i, i, kItemsPerSection);
          break;
      }
      text += line;
    }
    text += "\r\n";
  }
  return text;
}

const char* SettingsPath() {
  static const std::string host = sandbox::MapTempDrive('T');
  static const bool made = [] {
    std::ofstream(host + "/settings.ini", std::ios::binary) << GeneratedSettings();
    return true;
  }();
  (void)made;
  return "T:\\settings.ini";
}

void LineCopy(benchmark::State& state) {
  const char* source = SettingsPath();
  for (auto _ : state) {
    FILE* in = fopen(source, "rb");
    FILE* out = fopen("T:\\copy.ini", "wb");
    if (in == nullptr || out == nullptr) {
      state.SkipWithError("cannot open");
      return;
    }
    char line[8192];
    while (std::fgets(line, sizeof line, in) != nullptr) std::fputs(line, out);
    std::fclose(in);
    if (std::fclose(out) != 0) {
      state.SkipWithError("cannot write");
      return;
    }
  }
}

void ReadThenWrite(benchmark::State& state) {
  const char* source = SettingsPath();
  for (auto _ : state) {
    IniFile file = IniFileMake(0);
    if (IniFileRead(file, source) != 0 || IniFileWrite(file, "T:\\written.ini") != 0) {
      IniFileFree(file);
      state.SkipWithError("read or write failed");
      return;
    }
    IniFileFree(file);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SettingsPath();  // written before any timing
  bench::Interleave({{"LineCopy", LineCopy}, {"ReadThenWrite", ReadThenWrite}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("INI read then write / line copy, 100,000 items in 1,000 sections", "ReadThenWrite", "LineCopy", 3);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
