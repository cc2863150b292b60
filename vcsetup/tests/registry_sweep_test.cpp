// Fault sweeps of the set-up programs' registry writes, for a user who ran the IDE (the old help
// on the Tools menu) and a new installation: each create, set and delete of a clean run fails in
// turn, and the registry is kept just before each (what a crash there leaves). A failing write is
// reported with its step's message and the configuration is not taken as done (the starter records
// no id, the set-up program shows no closing box); no Tools entry is lost or shown twice; and from
// whatever was left, a clean run of the set-up program reaches the clean run's registry.
#include <algorithm>
#include <functional>
#include <map>

#include "SetupPrograms.h"
#include "vcsetup_test_support.h"

namespace vcsetup_test {
namespace {

using Strings = std::vector<std::string>;

const Strings kOtherEntries = {"&Module Viewer", "M&essage Tracer", "&Error Finder", "&Scratch Pad"};
const char kOldHelp[] = "&Tallyforge++ Help";
const char kReference[] = "Sablewing Reference";

Strings MenuNames() {
  Strings names;
  const uint32_t count = sandbox::RegistryGetDword(kToolsKey, "NumTools").value_or(0);
  for (uint32_t n = 0; n < count && n < 100; ++n)
    names.push_back(sandbox::RegistryGetString(kToolsKey, "MenuName#" + std::to_string(n)).value_or("(none)"));
  return names;
}

bool Under(const sandbox::RegistryCall& call, const std::string& key) {
  const std::string full = "HKEY_CURRENT_USER\\" + key.substr(5);  // "HKCU\..."
  return call.key.size() >= full.size() && _strnicmp(call.key.c_str(), full.c_str(), full.size()) == 0;
}

class RegistrySweep : public SampleWorld {
 protected:
  // The world of one run: the sample machine with a new installation (id 2), its user with the
  // old help on the menu and the id of the one before (1).
  void Arrange() {
    sandbox::msdev::StopIde();
    sandbox::Reset();
    SampleWorld::SetUp();
    LoadUser();
    sandbox::RegistrySetDword(kProductKey, "InstallId", 2);
    sandbox::RegistrySetDword(kUserKey, "InstallId", 1);
  }

  // What a failing write must leave: the step it belongs to, from its place among the clean run's
  // calls (the add-in's key is step 3, the Tools key before the directories step 4, the
  // directories' first three writes step 5, the Tools key after them step 6, the directories'
  // last two step 7, the user's key the recorded id).
  static std::string StepOf(const std::vector<sandbox::RegistryCall>& calls, size_t index) {
    int directories = 0;
    for (size_t i = 0; i <= index; ++i) {
      const auto& call = calls[i];
      if (Under(call, kDirectoriesKey)) ++directories;
      if (i < index) continue;
      if (Under(call, kAddInKey)) return "add-in";
      if (Under(call, kToolsKey)) return directories == 0 ? "old help" : "reference";
      if (Under(call, kDirectoriesKey)) return directories <= 3 ? "product directories" : "framework directories";
      if (Under(call, kUserKey)) return "id";
    }
    return "(other) " + calls[index].key;
  }

  // No entry lost or shown twice: the other entries in their order, the old help at most once in
  // its place, the reference at most once at the end.
  static void ExpectWholeMenu() {
    Strings names = MenuNames();
    const auto help = std::find(names.begin(), names.end(), kOldHelp);
    if (help != names.end()) {
      EXPECT_EQ(help - names.begin(), 2) << "the old help in its place";
      names.erase(help);
    }
    if (!names.empty() && names.back() == kReference) names.pop_back();
    EXPECT_EQ(names, kOtherEntries) << "no entry lost or shown twice";
  }

  // The registry as text, each directory list with its entries sorted: when one step failed, the
  // steps after it still ran (as they must), so a second run adds that step's directories after
  // theirs, in another order.
  static std::string Comparable() {
    for (const char* name : {"Include Dirs", "Library Dirs"}) {
      const auto list = sandbox::RegistryGetString(kDirectoriesKey, name);
      if (!list) continue;
      Strings entries;
      for (size_t start = 0;;) {
        const size_t end = list->find(';', start);
        entries.push_back(list->substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
      }
      std::sort(entries.begin(), entries.end());
      std::string sorted;
      for (const std::string& entry : entries) sorted += (sorted.empty() ? "" : ";") + entry;
      sandbox::RegistrySetString(kDirectoriesKey, name, sorted);
    }
    return sandbox::RegistryExport();
  }

  // The first line where two texts differ (the whole registry is long).
  static std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const size_t from = a.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t start = from == std::string::npos ? 0 : from + 1;
    return a.substr(start, a.find('\n', at) - start) + " | " + b.substr(start, b.find('\n', at) - start);
  }

  // From the registry as it is, the set-up program run once more reaches `clean` (Comparable()).
  static void ExpectSecondRunReaches(const std::string& clean) {
    sandbox::msdev::StopIde();
    EXPECT_EQ(SablewingSetupVC(), 0);
    const std::string now = Comparable();
    EXPECT_TRUE(now == clean) << "a clean second run: " << FirstDifference(now, clean);
  }

  // Sweeps one program. The starter's configuration is done only when every step was, and only
  // then is the id recorded; the set-up program records it always and shows its closing box only
  // when every step was done. The old help's removal is the one step whose failure the
  // configuration does not count: the help then stays on the menu, whole, until the next run.
  void Sweep(const std::function<int()>& program, bool starter) {
    std::string clean;
    std::vector<sandbox::RegistryCall> calls;
    std::string crashed;
    const std::map<std::string, Strings> messages = {
        {"add-in", {Message(kAddInNotEnabled)}},
        {"old help", {}},
        {"product directories", {Message(kPathsNotSet)}},
        {"reference", {Message(kReferenceNotAdded)}},
        {"framework directories", {Message(kVxipnpPathsNotSet)}},
        {"id", {}},
    };
    sandbox::testing::SweepRegistryFaults({
        .arrange = [&] { Arrange(); },
        .run = [&] { return program() == 0; },
        .recorded =
            [&](const std::vector<sandbox::RegistryCall>& record) {
              calls = record;
              EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
              EXPECT_EQ(Messages(), starter ? Strings{} : Strings{Message(kDone)}) << "the clean run";
              EXPECT_EQ(sandbox::RegistryGetDword(kUserKey, "InstallId"), 2u) << "the clean run";
              clean = Comparable();
            },
        .checkFailed =
            [&](size_t at, bool succeeded) {
              const std::string step = StepOf(calls, at);
              SCOPED_TRACE(step);
              EXPECT_TRUE(succeeded) << "both programs end normally";
              ASSERT_EQ(messages.count(step), 1u);
              const bool done = step == "old help" || step == "id";
              Strings expected = messages.at(step);
              if (!starter && done) expected.push_back(Message(kDone));
              EXPECT_EQ(Messages(), expected);
              const bool recorded = starter ? done && step != "id" : step != "id";
              EXPECT_EQ(sandbox::RegistryGetDword(kUserKey, "InstallId"), recorded ? 2u : 1u);
              EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
              ExpectWholeMenu();
              ExpectSecondRunReaches(clean);
            },
        .snapshot = [&] { crashed = sandbox::RegistryExport(); },
        .checkCrash =
            [&](size_t at) {
              SCOPED_TRACE(StepOf(calls, at));
              sandbox::RegistryClear();
              ASSERT_TRUE(sandbox::RegistryImport(crashed));
              ExpectSecondRunReaches(clean);
            },
    });
  }
};

TEST_F(RegistrySweep, TheStarter) { Sweep(SablewingStartVC, true); }

TEST_F(RegistrySweep, TheSetUpProgram) { Sweep(SablewingSetupVC, false); }

}  // namespace
}  // namespace vcsetup_test
