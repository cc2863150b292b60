// A console reporter that also keeps each benchmark's best repetition (time per iteration), so a
// benchmark program can print the ratios its goals are stated in. Benchmarks are keyed by name, with
// "/args" when they take arguments ("ReadThenWrite/20000").
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string name =
          run.run_name.args.empty() ? run.run_name.function_name : run.run_name.function_name + "/" + run.run_name.args;
      const double time = run.GetAdjustedRealTime();
      auto [entry, added] = best_.emplace(name, time);
      if (!added && time < entry->second) entry->second = time;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // best(a) / best(b), or 0 when either did not run.
  double Ratio(const std::string& a, const std::string& b) const {
    auto x = best_.find(a), y = best_.find(b);
    return (x == best_.end() || y == best_.end() || y->second <= 0) ? 0.0 : x->second / y->second;
  }

  double Best(const std::string& name) const {
    auto found = best_.find(name);
    return found == best_.end() ? 0.0 : found->second;
  }

 private:
  std::map<std::string, double> best_;
};
