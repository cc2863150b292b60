#include "DependancyUpdater.h"

#include <unordered_set>

namespace {

// One record of the walk with the links still to follow. The walks keep their own path instead
// of recursing, so that a long chain of dependencies cannot exhaust the stack. The link lists do
// not change while a walk runs (only Selected does), so the positions stay valid.
struct WalkStep {
  CComponent* record;
  CComponent* const* next;
  CComponent* const* end;
};

WalkStep StepInto(CComponent* record, const std::vector<CComponent*>& links) {
  return {record, links.data(), links.data() + links.size()};
}

}  // namespace

CDependancyUpdater::CDependancyUpdater() {}

CDependancyUpdater::~CDependancyUpdater() {}

// Depth first, in the order of the links. The depot allows cycles (a component may need itself),
// and dense catalogues reach a record by many paths, so a record's own links are followed only
// the first time the walk changes it; a record that was left alone is looked at again on every
// path, because by then another path may have released it (the diamond: A needs the hidden B and
// C, both need the hidden D; unchecking A keeps D while C still needs it and drops D with C).
void CDependancyUpdater::PropagateSelection(CComponent* component) {
  if (component == NULL) return;
  const bool selected = component->Selected;
  std::unordered_set<const CComponent*> walked{component};
  std::vector<WalkStep> path{StepInto(component, component->Dependancies)};
  while (!path.empty()) {
    WalkStep& step = path.back();
    if (step.next == step.end) {
      path.pop_back();
      continue;
    }
    CComponent* parent = step.record;
    CComponent* dependency = *step.next++;
    // A visible dependency keeps whatever the user gave it, and a hidden one stays while another
    // selected component needs it.
    if (!selected && (!dependency->Hidden || HasOtherSelectedDependant(dependency, parent))) continue;
    dependency->Selected = selected;
    if (walked.insert(dependency).second) path.push_back(StepInto(dependency, dependency->Dependancies));
  }
}

void CDependancyUpdater::DeselectDependants(CComponent* component) {
  if (component == NULL) return;
  std::unordered_set<const CComponent*> walked{component};
  std::vector<WalkStep> path{StepInto(component, component->Dependants)};
  while (!path.empty()) {
    WalkStep& step = path.back();
    if (step.next == step.end) {
      path.pop_back();
      continue;
    }
    CComponent* dependant = *step.next++;
    dependant->Selected = false;
    if (walked.insert(dependant).second) path.push_back(StepInto(dependant, dependant->Dependants));
  }
}

bool CDependancyUpdater::HasSelectedDependant(const CComponent* component) const {
  return HasOtherSelectedDependant(component, NULL);
}

bool CDependancyUpdater::HasOtherSelectedDependant(const CComponent* component, const CComponent* excluded) const {
  if (component == NULL) return false;
  for (const CComponent* dependant : component->Dependants) {
    if (dependant != excluded && dependant->Selected) return true;
  }
  return false;
}
