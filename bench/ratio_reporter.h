// How every benchmark program states its goals. On a shared machine a slow phase lasts seconds,
// so a ratio is only trustworthy when both of its sides ran side by side: `bench::Interleave`
// registers the sides in rounds (each round runs every side once, the order reversed every other
// round), and RatioReporter pairs the sides' repetitions round by round, so a ratio is a set of
// paired ratios of which it prints the median, minimum and maximum, in CPU time beside wall time.
// Each program ends with its goals, one line each, in the form scripts/bench.sh collects:
//
//   <name>: median X (min–max), goal <= Y: met|NOT met
//
// Benchmarks are keyed by name, with "/args" when they take arguments ("ReadThenWrite/20000").
// A benchmark registered the plain way with Repetitions(n) pairs by repetition index instead: its
// sides did not run side by side, so its ratios swing with the machine.
#pragma once

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// Rounds of an interleaved set: enough that a median of paired ratios shrugs off a few slow
// pairs, few enough that a program stays within a minute or two.
inline constexpr int kRounds = 9;

struct Side {
  std::string name;  // the key the reporter knows it by: "LineCopy/20000"
  std::function<void(benchmark::State&)> body;
};

// How long each side runs in a round: at least `minTime` seconds, or exactly `iterations`.
struct Timing {
  benchmark::TimeUnit unit = benchmark::kMillisecond;
  double minTime = 0.2;
  benchmark::IterationCount iterations = 0;
};

// Registers every side once per round, as "<name>/round:<r>". Even rounds run the sides in the
// order given, odd rounds in reverse, so that no side always runs first (after a pause) or last.
// CPU time is the whole process's, so work done on the stand-ins' own threads is counted too.
//
// For counting instructions under callgrind, BENCH_ROUNDS and BENCH_ITERATIONS in the environment
// replace the number of rounds and fix the iterations (one call of each side's function, no
// calibration runs).
inline void Interleave(const std::vector<Side>& sides, Timing timing, int rounds = kRounds) {
  if (const char* fixed = std::getenv("BENCH_ROUNDS")) rounds = std::max(1, std::atoi(fixed));
  if (const char* fixed = std::getenv("BENCH_ITERATIONS")) timing.iterations = std::max(1, std::atoi(fixed));
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < sides.size(); ++i) {
      const Side& side = sides[round % 2 == 0 ? i : sides.size() - 1 - i];
      const std::string name = side.name + "/round:" + std::to_string(round);
      benchmark::internal::Benchmark* registered = benchmark::RegisterBenchmark(name.c_str(), side.body);
      registered->MeasureProcessCPUTime()->Unit(timing.unit);
      if (timing.iterations > 0) {
        registered->Iterations(timing.iterations);
      } else {
        registered->MinTime(timing.minTime);
      }
    }
  }
}

// Resident memory of the process, for benchmarks that state a memory goal: Start() gives freed
// memory back to the system and resets the peak, PeakGrowth() is how far the peak rose above
// where Start() left the process.
class PeakMemory {
 public:
  void Start() {
    malloc_trim(0);
    std::FILE* reset = std::fopen("/proc/self/clear_refs", "w");
    resettable_ = reset != nullptr && std::fputs("5", reset) >= 0;
    if (reset != nullptr && std::fclose(reset) != 0) resettable_ = false;
    base_ = StatusKilobytes("VmRSS:");
  }
  // Bytes; negative when the peak cannot be reset on this system.
  double PeakGrowth() const {
    if (!resettable_) return -1;
    return 1024.0 * static_cast<double>(StatusKilobytes("VmHWM:") - base_);
  }

 private:
  static long StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind(field, 0) == 0) return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
    return 0;
  }

  bool resettable_ = false;
  long base_ = 0;
};

}  // namespace bench

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, as the library's own reporter does.
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

  // One repetition of a benchmark: seconds per iteration and its counters.
  struct Sample {
    double cpu = 0;
    double wall = 0;
    double adjustedWall = 0;  // in the benchmark's own time unit, for Best
    std::map<std::string, double> counters;
  };

  // Median, minimum and maximum of a set of figures; count 0 when there were none.
  struct Spread {
    double median = 0, min = 0, max = 0;
    size_t count = 0;
  };

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0) continue;
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      int64_t round = run.repetition_index < 0 ? 0 : run.repetition_index;
      const size_t mark = name.rfind("/round:");
      if (mark != std::string::npos) {
        round = std::strtoll(name.c_str() + mark + 7, nullptr, 10);
        name.erase(mark);
      }
      Sample sample;
      const double iterations = static_cast<double>(run.iterations);
      sample.cpu = run.cpu_accumulated_time / iterations;
      sample.wall = run.real_accumulated_time / iterations;
      sample.adjustedWall = run.GetAdjustedRealTime();
      for (const auto& [counter, value] : run.counters) sample.counters[counter] = value;
      samples_[name][round] = sample;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The paired ratios a / b round by round, in CPU time or wall time.
  Spread Paired(const std::string& a, const std::string& b, bool cpu = true) const {
    std::vector<double> ratios;
    auto x = samples_.find(a), y = samples_.find(b);
    if (x == samples_.end() || y == samples_.end()) return {};
    for (const auto& [round, sample] : x->second) {
      auto other = y->second.find(round);
      if (other == y->second.end()) continue;
      const double top = cpu ? sample.cpu : sample.wall, bottom = cpu ? other->second.cpu : other->second.wall;
      if (bottom > 0) ratios.push_back(top / bottom);
    }
    return Summarise(ratios);
  }

  // A counter's values over the benchmark's rounds.
  Spread Counter(const std::string& name, const std::string& counter) const {
    std::vector<double> values;
    auto found = samples_.find(name);
    if (found == samples_.end()) return {};
    for (const auto& [round, sample] : found->second) {
      auto value = sample.counters.find(counter);
      if (value != sample.counters.end()) values.push_back(value->second);
    }
    return Summarise(values);
  }

  // The median of the paired CPU-time ratios a / b, or 0 when either did not run.
  double Ratio(const std::string& a, const std::string& b) const { return Paired(a, b).median; }

  // The best repetition's wall time per iteration, in the benchmark's own unit; 0 when it did
  // not run.
  double Best(const std::string& name) const {
    auto found = samples_.find(name);
    if (found == samples_.end() || found->second.empty()) return 0.0;
    double best = found->second.begin()->second.adjustedWall;
    for (const auto& [round, sample] : found->second) best = std::min(best, sample.adjustedWall);
    return best;
  }

  // A ratio printed for information, CPU time beside wall time.
  void Figure(const std::string& label, const std::string& a, const std::string& b) {
    PrintPaired(label, Paired(a, b, true), Paired(a, b, false));
  }

  // A goal on the ratio a / b in CPU time (wall time printed beside it): met when the median of
  // the paired ratios is at most `limit`.
  void Goal(const std::string& label, const std::string& a, const std::string& b, double limit) {
    const Spread cpu = Paired(a, b, true);
    PrintPaired(label, cpu, Paired(a, b, false));
    AddGoal(label, cpu, limit);
  }

  // A goal on a counter the benchmark reports: met when its median is at most `limit`.
  void CounterGoal(const std::string& label, const std::string& name, const std::string& counter, double limit) {
    const Spread values = Counter(name, counter);
    StartFigures();
    std::printf("%s: median %s (%s\u2013%s) over %zu rounds\n", label.c_str(), Number(values.median).c_str(),
                Number(values.min).c_str(), Number(values.max).c_str(), values.count);
    AddGoal(label, values, limit);
  }

  // The program's last lines: one per goal. Returns the number of goals not met (a goal whose
  // figures are missing counts as not met).
  int PrintGoals() const {
    int missed = 0;
    std::printf("\n");
    for (const std::string& line : goals_) std::printf("%s\n", line.c_str());
    for (bool met : met_) missed += met ? 0 : 1;
    std::fflush(stdout);
    return missed;
  }

 private:
  static Spread Summarise(std::vector<double> values) {
    Spread s;
    s.count = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const size_t half = values.size() / 2;
    s.median = values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
  }

  static std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, value >= 100 ? "%.0f" : "%.2f", value);
    return text;
  }

  void PrintPaired(const std::string& label, const Spread& cpu, const Spread& wall) {
    StartFigures();
    std::printf("%s: CPU median %s (%s\u2013%s), wall median %s (%s\u2013%s), %zu pairs\n", label.c_str(),
                Number(cpu.median).c_str(), Number(cpu.min).c_str(), Number(cpu.max).c_str(),
                Number(wall.median).c_str(), Number(wall.min).c_str(), Number(wall.max).c_str(), cpu.count);
  }

  // A blank line between the benchmarks' table and the figures.
  void StartFigures() {
    if (!figuresStarted_) std::printf("\n");
    figuresStarted_ = true;
  }

  void AddGoal(const std::string& label, const Spread& values, double limit) {
    const bool met = values.count > 0 && values.median <= limit;
    const std::string figures = values.count == 0 ? "no figures" : "median " + Number(values.median) + " (" +
                                                                      Number(values.min) + "\u2013" +
                                                                      Number(values.max) + ")";
    goals_.push_back(label + ": " + figures + ", goal <= " + Number(limit) + ": " + (met ? "met" : "NOT met"));
    met_.push_back(met);
  }

  std::map<std::string, std::map<int64_t, Sample>> samples_;
  std::vector<std::string> goals_;
  std::vector<bool> met_;
  bool figuresStarted_ = false;
};
