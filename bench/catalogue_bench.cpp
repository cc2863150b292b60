// Dependency propagation through a generated catalogue of 10,000 components and 50,000
// dependency links, beside a plain breadth-first walk of the same links: how checking and
// unchecking a component compare with the plain walk.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <cstdio>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Component.h"
#include "DependancyUpdater.h"

namespace {

const int kComponents = 10000;
const int kLinks = 50000;

// Every component but the first is needed by at least one component before it, so the first one
// reaches the whole catalogue; the remaining links join random pairs, each pair once. All but the
// first are hidden, so that unchecking the first releases the catalogue record by record, each
// once the last of the components that need it has gone.
std::vector<CComponent>& Catalogue() {
  static std::vector<CComponent> records = [] {
    std::vector<CComponent> made(kComponents);
    std::mt19937 random(4711);
    std::set<std::pair<int, int>> links;
    for (int j = 1; j < kComponents; ++j) links.insert({static_cast<int>(random() % j), j});
    while (static_cast<int>(links.size()) < kLinks) {
      const int a = static_cast<int>(random() % kComponents), b = static_cast<int>(random() % kComponents);
      if (a != b) links.insert({std::min(a, b), std::max(a, b)});
    }
    for (int i = 0; i < kComponents; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "C%05d", i);
      made[i].ComponentName = name;
      made[i].Hidden = i != 0;
    }
    for (const auto& [from, to] : links) {
      made[from].Dependancies.push_back(&made[to]);
      made[to].Dependants.push_back(&made[from]);
    }
    return made;
  }();
  return records;
}

// The same links walked once each from the first component, marking what it reaches.
void PlainWalk(benchmark::State& state) {
  std::vector<CComponent>& records = Catalogue();
  for (auto _ : state) {
    CComponent* root = &records[0];
    std::unordered_set<const CComponent*> seen{root};
    std::deque<CComponent*> queue{root};
    while (!queue.empty()) {
      CComponent* record = queue.front();
      queue.pop_front();
      for (CComponent* dependency : record->Dependancies) {
        if (!seen.insert(dependency).second) continue;
        dependency->Selected = true;
        queue.push_back(dependency);
      }
    }
    benchmark::DoNotOptimize(records.back().Selected);
  }
}

// Checking the first component: everything it needs follows.
void CheckPropagation(benchmark::State& state) {
  std::vector<CComponent>& records = Catalogue();
  for (auto _ : state) {
    records[0].Selected = true;
    CDependancyUpdater().PropagateSelection(&records[0]);
    benchmark::DoNotOptimize(records.back().Selected);
  }
}

// The plain walk again, each time after selecting the whole catalogue, which the unchecking
// measured next needs before each run.
void PlainWalkAfterSelectingAll(benchmark::State& state) {
  std::vector<CComponent>& records = Catalogue();
  for (auto _ : state) {
    for (CComponent& record : records) record.Selected = true;
    CComponent* root = &records[0];
    std::unordered_set<const CComponent*> seen{root};
    std::deque<CComponent*> queue{root};
    while (!queue.empty()) {
      CComponent* record = queue.front();
      queue.pop_front();
      for (CComponent* dependency : record->Dependancies) {
        if (!seen.insert(dependency).second) continue;
        dependency->Selected = false;
        queue.push_back(dependency);
      }
    }
    benchmark::DoNotOptimize(records.back().Selected);
  }
}

// Unchecking the first component of a fully selected catalogue: every hidden record is looked at
// once per component that needs it and goes with the last of them.
void UncheckPropagation(benchmark::State& state) {
  std::vector<CComponent>& records = Catalogue();
  for (auto _ : state) {
    for (CComponent& record : records) record.Selected = true;
    records[0].Selected = false;
    CDependancyUpdater().PropagateSelection(&records[0]);
    if (records.back().Selected) {
      state.SkipWithError("unchecking left a record selected that nothing needs");
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Catalogue();  // made before any timing
  bench::Interleave({{"PlainWalk", PlainWalk}, {"CheckPropagation", CheckPropagation}}, {});
  bench::Interleave(
      {{"PlainWalkAfterSelectingAll", PlainWalkAfterSelectingAll}, {"UncheckPropagation", UncheckPropagation}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("check propagation / plain walk, 10,000 components, 50,000 links", "CheckPropagation", "PlainWalk", 2);
  reporter.Goal("uncheck propagation / plain walk, same catalogue, all selected", "UncheckPropagation",
                "PlainWalkAfterSelectingAll", 1.5);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
