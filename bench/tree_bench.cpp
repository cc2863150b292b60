// The tree control's walk over its selected nodes (GetFirstSelectedNode, GetNextSelectedNode) in a
// tree of 10,000 items, all expanded and all selected with multi-selection on, beside a plain walk
// of the same items with TVGN_NEXTVISIBLE: what finding each item's node and state costs.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include "sandbox/sandbox.h"
#include "tree/TqTreeCtrl.h"

namespace {

const int kGroups = 100;
const int kPerGroup = 99;  // 100 groups and their 9,900 children: 10,000 items

struct Fixture {
  Fixture() {
    ::OleInitialize(NULL);
    ::InitCommonControls();
    parent.CreateEx(0, AfxRegisterWndClass(0), "Parent", WS_POPUP, 0, 0, 400, 400, NULL, NULL);
    tree.Create(WS_CHILD, CRect(0, 0, 300, 300), &parent, 1);
    tree.SetMultiSelect(true);
    DWORD_PTR data = 0;
    for (int g = 0; g < kGroups; ++g) {
      auto* group = new CtqTreeNode(&tree, "group", data++);
      CtqTreeItem root(&tree);
      tree.InsertNode(group, root, false);
      for (int c = 0; c < kPerGroup; ++c) tree.InsertNode(new CtqTreeNode(&tree, "item", data++), *group, false);
      tree.Expand(group->GetHandle(), TVE_EXPAND);
    }
    for (HTREEITEM h = tree.CTreeCtrl::GetRootItem(); h != NULL; h = tree.GetNextVisibleItem(h))
      tree.SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
  }
  CWnd parent;
  CtqTreeCtrl tree;
};

Fixture& TheFixture() {
  static Fixture* fixture = new Fixture;  // kept to the end: windows go with the process
  return *fixture;
}

void SelectedNodeWalk(benchmark::State& state) {
  CtqTreeCtrl& tree = TheFixture().tree;
  for (auto _ : state) {
    int count = 0;
    for (CtqTreeNode* node = tree.GetFirstSelectedNode(); node != NULL; node = tree.GetNextSelectedNode(node)) ++count;
    if (count != kGroups * (kPerGroup + 1)) state.SkipWithError("not every node was walked");
    benchmark::DoNotOptimize(count);
  }
}

void NextVisibleWalk(benchmark::State& state) {
  CtqTreeCtrl& tree = TheFixture().tree;
  for (auto _ : state) {
    int count = 0;
    for (HTREEITEM h = tree.CTreeCtrl::GetRootItem(); h != NULL; h = tree.GetNextVisibleItem(h)) ++count;
    if (count != kGroups * (kPerGroup + 1)) state.SkipWithError("not every item was walked");
    benchmark::DoNotOptimize(count);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TheFixture();  // the tree is built before any timing
  bench::Interleave({{"NextVisibleWalk", NextVisibleWalk}, {"SelectedNodeWalk", SelectedNodeWalk}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("selected-node walk / TVGN_NEXTVISIBLE walk, 10,000 items", "SelectedNodeWalk", "NextVisibleWalk", 3);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
