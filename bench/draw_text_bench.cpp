// DrawText of 1,000 lines of 40 characters into a memory DC, beside FillRect of the same 1,000
// rectangles (each line's 320 x 16 pixels): what drawing text costs over filling its place.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "sandbox/sandbox.h"

namespace {

const int kLines = 1000;
const int kCharacters = 40;

struct Target {
  Target() {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(kCharacters * 8, kLines * 16, 1, 32, nullptr);
    old = SelectObject(dc, bitmap);
    for (int i = 0; i < kLines; ++i) {
      rects.push_back(RECT{0, i * 16, kCharacters * 8, (i + 1) * 16});
      std::string line;
      for (int c = 0; c < kCharacters; ++c) line += static_cast<char>(' ' + (i * 7 + c * 13) % 95);
      lines.push_back(line);
    }
  }
  ~Target() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  std::vector<RECT> rects;
  std::vector<std::string> lines;
};

Target& TheTarget() {
  static Target target;
  return target;
}

void DrawTextLines(benchmark::State& state) {
  Target& t = TheTarget();
  for (auto _ : state)
    for (int i = 0; i < kLines; ++i) {
      RECT r = t.rects[static_cast<size_t>(i)];
      DrawText(t.dc, t.lines[static_cast<size_t>(i)].c_str(), kCharacters, &r, DT_SINGLELINE | DT_VCENTER);
    }
}

void FillRectLines(benchmark::State& state) {
  Target& t = TheTarget();
  HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
  for (auto _ : state)
    for (int i = 0; i < kLines; ++i) FillRect(t.dc, &t.rects[static_cast<size_t>(i)], brush);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TheTarget();  // made before any timing
  bench::Interleave({{"FillRectLines", FillRectLines}, {"DrawTextLines", DrawTextLines}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("DrawText / FillRect, 1,000 lines of 40 characters", "DrawTextLines", "FillRectLines", 5);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
