// The plain side of the benchmarks that read a project file line by line: the file read through
// the run time's text-mode stream calls (fopen and fgets over kernel32), as the readers beside it
// reach the file. Included after <standin_stdio.h>, which names the stand-in's stream calls and
// comes after every other header.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>

#ifndef fopen
#error "include <standin_stdio.h> before line_read.h"
#endif

namespace bench {

inline void LineRead(benchmark::State& state, const char* windowsPath) {
  for (auto _ : state) {
    FILE* in = fopen(windowsPath, "r");
    if (in == nullptr) {
      state.SkipWithError("cannot open");
      return;
    }
    char line[1024];
    size_t lines = 0;
    while (std::fgets(line, sizeof line, in) != nullptr) ++lines;
    std::fclose(in);
    benchmark::DoNotOptimize(lines);
  }
}

}  // namespace bench
