// Dependency propagation over small catalogues written as text, linked the way the depot links
// them; against a word-for-word recursive reading of the rules on random catalogues; and on
// catalogues that a walk per path could never finish.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Component.h"
#include "DependancyUpdater.h"
#include "sandbox/sandbox.h"

namespace {

// A catalogue from "A>B,C  B*>D  D*+" : one record per word, "*" hidden, "+" selected, ">" the
// names it needs (a name may repeat, and may be the record's own).
class Catalogue {
 public:
  explicit Catalogue(const std::string& text) {
    std::istringstream words(text);
    std::vector<std::vector<std::string>> needs;
    for (std::string word; words >> word;) {
      const size_t arrow = word.find('>');
      std::string head = word.substr(0, arrow);
      CComponent record;
      while (!head.empty() && (head.back() == '*' || head.back() == '+')) {
        (head.back() == '*' ? record.Hidden : record.Selected) = true;
        head.pop_back();
      }
      record.ComponentName = head.c_str();
      records_.push_back(record);
      std::vector<std::string> names;
      if (arrow != std::string::npos) {
        std::istringstream list(word.substr(arrow + 1));
        // The needs may repeat a record's marks for readability; the name is what counts.
        for (std::string name; std::getline(list, name, ',');) names.push_back(name.substr(0, name.find_first_of("*+")));
      }
      needs.push_back(names);
    }
    for (size_t i = 0; i < records_.size(); ++i) {
      for (const std::string& name : needs[i]) {
        CComponent* needed = Find(name);
        EXPECT_NE(needed, nullptr) << "the catalogue text names " << name;
        if (needed == nullptr) continue;
        records_[i].Dependancies.push_back(needed);
        needed->Dependants.push_back(&records_[i]);
      }
    }
  }

  CComponent* Find(const std::string& name) {
    for (CComponent& record : records_) {
      if (record.ComponentName == name.c_str()) return &record;
    }
    return nullptr;
  }
  CComponent& operator[](const std::string& name) { return *Find(name); }

  // The selected names, in catalogue order, joined by blanks.
  std::string Selected() const {
    std::string names;
    for (const CComponent& record : records_) {
      if (!record.Selected) continue;
      if (!names.empty()) names += ' ';
      names += static_cast<LPCTSTR>(record.ComponentName);
    }
    return names;
  }

  std::vector<CComponent>& Records() { return records_; }

 private:
  std::vector<CComponent> records_;
};

// What the component tree does when the user changes one check (without the question: the rows
// that deselect dependants say so).
enum class Action { Check, Uncheck, DeselectDependants };

void Apply(Catalogue& catalogue, const std::string& name, Action action) {
  CDependancyUpdater updater;
  CComponent& record = catalogue[name];
  if (action == Action::DeselectDependants) {
    updater.DeselectDependants(&record);
    return;
  }
  record.Selected = action == Action::Check;
  updater.PropagateSelection(&record);
}

TEST(DependancyUpdater, FollowsTheRulesOnSmallCatalogues) {
  struct Row {
    const char* what;
    const char* catalogue;
    const char* component;
    Action action;
    const char* selected;
  };
  const Row rows[] = {
      {.what = "checking a chain checks everything it needs",
       .catalogue = "A>B B>C C", .component = "A", .action = Action::Check, .selected = "A B C"},
      {.what = "checking goes through visible dependencies to hidden ones",
       .catalogue = "A>B B>C* C*", .component = "A", .action = Action::Check, .selected = "A B C"},
      {.what = "checking touches only what is needed",
       .catalogue = "A>B B C>A", .component = "A", .action = Action::Check, .selected = "A B"},
      {.what = "unchecking drops a hidden dependency nothing else needs",
       .catalogue = "A+>B* B*+", .component = "A", .action = Action::Uncheck, .selected = ""},
      {.what = "a hidden dependency stays while a selected component needs it",
       .catalogue = "A+>B* B*+ D+>B*", .component = "A", .action = Action::Uncheck, .selected = "B D"},
      {.what = "an unselected dependant does not keep a hidden dependency",
       .catalogue = "A+>B* B*+ D>B*", .component = "A", .action = Action::Uncheck, .selected = ""},
      {.what = "a visible dependency keeps its check",
       .catalogue = "A+>B B+", .component = "A", .action = Action::Uncheck, .selected = "B"},
      {.what = "unchecking stops at a visible dependency",
       .catalogue = "A+>B B+>C* C*+", .component = "A", .action = Action::Uncheck, .selected = "B C"},
      {.what = "hidden chain: B goes, C stays for E",
       .catalogue = "A+>B* B*+>C* C*+ E+>C*", .component = "A", .action = Action::Uncheck, .selected = "C E"},
      {.what = "hidden diamond: D goes once neither B nor C needs it",
       .catalogue = "A+>B*,C* B*+>D* C*+>D* D*+", .component = "A", .action = Action::Uncheck, .selected = ""},
      {.what = "hidden diamond: D stays for a selected E",
       .catalogue = "A+>B*,C* B*+>D* C*+>D* D*+ E+>D*", .component = "A", .action = Action::Uncheck,
       .selected = "D E"},
      {.what = "the walk goes through an unselected hidden record",
       .catalogue = "A+>B* B*>C* C*+", .component = "A", .action = Action::Uncheck, .selected = ""},
      {.what = "a dependency listed twice is released once",
       .catalogue = "A+>B*,B* B*+", .component = "A", .action = Action::Uncheck, .selected = ""},
      {.what = "a self-dependency: checking ends",
       .catalogue = "A>A,B B", .component = "A", .action = Action::Check, .selected = "A B"},
      {.what = "a hidden self-dependency: unchecking ends",
       .catalogue = "A*+>A*,B* B*+", .component = "A", .action = Action::Uncheck, .selected = ""},
      {.what = "a longer cycle: checking ends",
       .catalogue = "A>B B>C C>A D", .component = "B", .action = Action::Check, .selected = "A B C"},
      {.what = "a longer hidden cycle: unchecking ends and releases the cycle",
       .catalogue = "A*+>B* B*+>C* C*+>A*", .component = "A", .action = Action::Uncheck, .selected = ""},
      {.what = "two hidden records that need each other keep each other",
       .catalogue = "A+>B* B*+>C* C*+>B*", .component = "A", .action = Action::Uncheck, .selected = "B C"},
      {.what = "deselecting dependants goes up every path and leaves the component",
       .catalogue = "A+>B B+>D C+>D D+ E+", .component = "D", .action = Action::DeselectDependants,
       .selected = "D E"},
      {.what = "deselecting dependants touches no dependency",
       .catalogue = "A+>B B+>C C+", .component = "B", .action = Action::DeselectDependants, .selected = "B C"},
      {.what = "deselecting the dependants of a self-dependent record ends",
       .catalogue = "A+>A B+>A", .component = "A", .action = Action::DeselectDependants, .selected = ""},
      {.what = "deselecting dependants round a cycle ends",
       .catalogue = "A+>B B+>C C+>A D+", .component = "C", .action = Action::DeselectDependants,
       .selected = "D"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Catalogue catalogue(row.catalogue);
    Apply(catalogue, row.component, row.action);
    EXPECT_EQ(catalogue.Selected(), row.selected) << row.catalogue;
  }
}

TEST(DependancyUpdater, AnswersWhetherADependantIsSelected) {
  Catalogue catalogue("A+>C B>C C D+>E E");
  CDependancyUpdater updater;
  EXPECT_TRUE(updater.HasSelectedDependant(&catalogue["C"]));
  EXPECT_FALSE(updater.HasOtherSelectedDependant(&catalogue["C"], &catalogue["A"])) << "B is not selected";
  EXPECT_TRUE(updater.HasOtherSelectedDependant(&catalogue["C"], &catalogue["B"]));
  EXPECT_FALSE(updater.HasSelectedDependant(&catalogue["A"])) << "no dependants";
  catalogue["D"].Selected = false;
  EXPECT_FALSE(updater.HasSelectedDependant(&catalogue["E"]));
}

// The rules as the text gives them, one recursive call per path; it ends only on catalogues
// without cycles.
void PropagateAsWritten(CComponent* record) {
  const bool selected = record->Selected;
  for (CComponent* dependency : record->Dependancies) {
    if (!selected) {
      if (!dependency->Hidden) continue;
      bool needed = false;
      for (CComponent* dependant : dependency->Dependants) needed = needed || (dependant != record && dependant->Selected);
      if (needed) continue;
    }
    dependency->Selected = selected;
    PropagateAsWritten(dependency);
  }
}

void DeselectAsWritten(CComponent* record) {
  for (CComponent* dependant : record->Dependants) {
    dependant->Selected = false;
    DeselectAsWritten(dependant);
  }
}

// Random acyclic catalogues: each record needs some later ones, a few twice; mostly hidden and
// selected, so that unchecking one of the first records releases records by several paths.
// Whatever the walk skips, the selection must come out as the rules give it.
TEST(DependancyUpdater, VisitingOnceGivesTheSelectionOfTheRules) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 4000; ++round) {
    const int size = 2 + static_cast<int>(random() % 8);
    std::string text;
    for (int i = 0; i < size; ++i) {
      text += static_cast<char>('A' + i);
      if (random() % 20 < 17) text += '*';
      if (random() % 10 != 0) text += '+';
      std::string needs;
      for (int j = i + 1; j < size; ++j) {
        if (random() % 20 >= 9) continue;
        needs += std::string(needs.empty() ? "" : ",") + static_cast<char>('A' + j);
        if (random() % 8 == 0) needs += std::string(",") + static_cast<char>('A' + j);
      }
      if (!needs.empty()) text += ">" + needs;
      text += ' ';
    }
    const std::string start(1, static_cast<char>('A' + random() % std::min(size, 3)));
    const Action action = static_cast<Action>(random() % 3);
    SCOPED_TRACE(text + " / " + start + " / action " + std::to_string(static_cast<int>(action)));

    Catalogue walked(text), written(text);
    Apply(walked, start, action);
    CComponent& record = written[start];
    if (action == Action::DeselectDependants) {
      DeselectAsWritten(&record);
    } else {
      record.Selected = action == Action::Check;
      PropagateAsWritten(&record);
    }
    ASSERT_EQ(walked.Selected(), written.Selected());
  }
}

// Layers of records where every record of a layer needs every record of the next: 2^60 paths
// from the top, 120 records. A walk per path would never end; every record must still follow.
TEST(DependancyUpdater, DenseCatalogueIsWalkedOncePerRecord) {
  const int layers = 60;
  std::string text;
  for (int layer = 0; layer < layers; ++layer) {
    for (int k = 0; k < 2; ++k) {
      text += "L" + std::to_string(layer) + "_" + std::to_string(k) + "*";
      if (layer + 1 < layers) {
        const std::string next = "L" + std::to_string(layer + 1);
        text += ">" + next + "_0*," + next + "_1*";
      }
      text += ' ';
    }
  }
  text += "Top>L0_0*,L0_1*";
  Catalogue catalogue(text);
  Apply(catalogue, "Top", Action::Check);
  int selected = 0;
  for (const CComponent& record : catalogue.Records()) selected += record.Selected;
  EXPECT_EQ(selected, 2 * layers + 1);
  Apply(catalogue, "Top", Action::Uncheck);
  EXPECT_EQ(catalogue.Selected(), "") << "every layer was needed only by the one above";
  for (CComponent& record : catalogue.Records()) record.Selected = true;
  Apply(catalogue, "L59_0", Action::DeselectDependants);
  EXPECT_EQ(catalogue.Selected(), "L59_0 L59_1");
}

// A chain far longer than any call stack would hold as one frame per record.
TEST(DependancyUpdater, LongChainDoesNotRecurse) {
  const int length = 100000;
  std::vector<CComponent> records(length);
  for (int i = 0; i + 1 < length; ++i) {
    records[i].Hidden = true;
    records[i].Dependancies.push_back(&records[i + 1]);
    records[i + 1].Dependants.push_back(&records[i]);
  }
  records.back().Hidden = true;
  CDependancyUpdater updater;
  records[0].Selected = true;
  updater.PropagateSelection(&records[0]);
  EXPECT_TRUE(records.back().Selected);
  records[0].Selected = false;
  updater.PropagateSelection(&records[0]);
  EXPECT_FALSE(records.back().Selected);
  for (CComponent& record : records) record.Selected = true;
  updater.DeselectDependants(&records.back());
  EXPECT_FALSE(records[0].Selected);
  EXPECT_TRUE(records.back().Selected);
}

}  // namespace
