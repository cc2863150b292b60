// The component tree's run over a generated catalogue of 500 components and 2,000 instrument
// drivers under 40 vendors (Populate, checking the driver category with the warnings off,
// UpdateCheckStates) beside a replay of the tree-view messages that run sends, recorded by the
// sandbox for the tree's window: what the component tree costs beyond the control's own work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "InformationDepot.h"
#include "SablewingPreferences.h"
#include "component/ComponentTree.h"
#include "ratio_reporter.h"
#include "sandbox/comctl32.h"
#include "sandbox/sandbox.h"

namespace {

const int kComponents = 500, kDrivers = 2000, kVendors = 40, kCategories = 10;

// Vendors 0-19 have a two-character prefix ("a0" ...), 20-39 a three-character one ("b20" ...);
// each vendor's drivers follow one another in the catalogue, as the enumerator lists each folder.
std::string VendorPrefix(int vendor) {
  return vendor < 20 ? std::string(1, static_cast<char>('a' + vendor / 10)) + std::to_string(vendor % 10)
                     : std::string("b") + std::to_string(vendor);
}

std::string VendorList() {
  std::string text = "Generated vendors\r\n";
  for (int v = 0; v < kVendors; ++v)
    text += "Manufacturer: Vendor " + std::to_string(v) + "\r\nPrefix: " + VendorPrefix(v) +
            "\r\nURL: http://vendor" + std::to_string(v) + ".example/\r\n";
  return text;
}

// Components in ten categories, each needing up to two earlier ones; every tenth hidden, every
// fifth selected; then the drivers, none selected, a tenth of them needing the Wyc directory.
void MakeCatalogue(CInformationDepot& depot) {
  std::vector<CComponent>& list = depot.GetComponents();
  list.clear();
  list.reserve(kComponents + kDrivers);
  for (int i = 0; i < kComponents; ++i) {
    CComponent record;
    record.ComponentName.Format("Component%03d", i);
    record.Category = i % kCategories == 0 ? "Core Components" : i % kCategories == 1 ? "Hardware APIs" : "";
    if (record.Category.IsEmpty()) record.Category.Format("Category %d", i % kCategories);
    record.Hidden = i % 10 == 9;
    list.push_back(record);
  }
  for (int d = 0; d < kDrivers; ++d) {
    CComponent record;
    const int vendor = d * kVendors / kDrivers;
    record.ComponentName.Format("%sdrv%04d", VendorPrefix(vendor).c_str(), d);
    record.Category = CComponentTree::kDriverCategory;
    record.WycInstrRequried = d % 10 == 0;
    record.HasImportLibrary = d % 3 != 0;
    list.push_back(record);
  }
  for (int i = 1; i < kComponents; ++i)
    for (int k : {i / 2, i / 3}) {
      if (k == i) continue;
      list[i].Dependancies.push_back(&list[k]);
      list[k].Dependants.push_back(&list[i]);
    }
}

void ResetSelection(CInformationDepot& depot) {
  int i = 0;
  for (CComponent& record : depot.GetComponents()) record.Selected = i++ < kComponents && i % 5 == 0;
}

struct Fixture {
  Fixture() {
    ::OleInitialize(NULL);
    ::InitCommonControls();
    const std::string host = sandbox::MapTempDrive('V');
    std::filesystem::create_directories(host + "/Sablewing");
    std::ofstream(host + "/Sablewing/VendorList.txt", std::ios::binary) << VendorList();
    sandbox::RegistrySetString("HKEY_LOCAL_MACHINE\\Software\\Vellacott\\Sablewing\\VC", "InstallDir", "V:\\Sablewing");
    CSablewingPreferences::SetDontDisplayWycInstrWarning(false);  // the warnings off
    MakeCatalogue(depot);
    parent.CreateEx(0, AfxRegisterWndClass(0), "Parent", WS_POPUP, 0, 0, 700, 500, NULL, NULL);
    const HWND control = ::CreateWindowEx(0, WC_TREEVIEW, "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 460, parent.m_hWnd,
                                          reinterpret_cast<HMENU>(1), NULL, NULL);
    tree.SetCatalogue(&depot);
    tree.SubclassWindow(control);
    // The control the replay goes to: the same styles, indent and check images.
    replay = ::CreateWindowEx(0, WC_TREEVIEW, "", static_cast<DWORD>(::GetWindowLong(control, GWL_STYLE)), 0, 0, 600, 460,
                              parent.m_hWnd, reinterpret_cast<HMENU>(2), NULL, NULL);
    ::SendMessage(replay, TVM_SETINDENT, tree.GetIndent(), 0);
    ::SendMessage(replay, TVM_SETIMAGELIST, TVSIL_NORMAL,
                  reinterpret_cast<LPARAM>(tree.GetCheckImages().GetSafeHandle()));
    sandbox::RecordTreeViewMessages(control);
    Run();
    sandbox::RecordTreeViewMessages(NULL);
    messages = sandbox::RecordedTreeViewMessages();
  }

  // The run whose messages are replayed; false when it did not check every driver.
  bool Run() {
    ResetSelection(depot);
    tree.Populate(false);
    HTREEITEM drivers = NULL;
    for (HTREEITEM h = tree.CTreeCtrl::GetRootItem(); h != NULL; h = tree.GetNextSiblingItem(h)) drivers = h;
    tree.ToggleCheck(drivers);
    tree.UpdateCheckStates();
    return depot.GetComponents().back().Selected && tree.GetSelectableNode(drivers)->GetCheckState() == 1;
  }

  CInformationDepot depot;
  CWnd parent;
  CComponentTree tree;
  HWND replay = NULL;
  std::vector<sandbox::TreeViewMessage> messages;
};

Fixture& TheFixture() {
  static Fixture* fixture = new Fixture;  // kept to the end: windows go with the process
  return *fixture;
}

void ComponentTreeRun(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state)
    if (!f.Run()) state.SkipWithError("the driver category was not checked");
}

void MessageReplay(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state) benchmark::DoNotOptimize(sandbox::ReplayTreeViewMessages(f.replay, f.messages));
  state.counters["messages"] = static_cast<double>(f.messages.size());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TheFixture();  // recorded before any timing
  bench::Interleave({{"ComponentTreeRun", ComponentTreeRun}, {"MessageReplay", MessageReplay}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\ntree-view messages of one run: %zu\n", TheFixture().messages.size());
  reporter.Goal("component tree run / replay of its tree-view messages, 500 components, 2,000 drivers", "ComponentTreeRun",
                "MessageReplay", 3);
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
