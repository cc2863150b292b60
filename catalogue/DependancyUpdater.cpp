#include "DependancyUpdater.h"

#include <cstdint>
#include <vector>

namespace {

// One record of a walk with the links still to follow. The walks keep their own path instead of
// recursing, so that a long chain of dependencies cannot exhaust the stack. The link lists do not
// change while a walk runs (only Selected does), so the positions stay valid.
struct WalkStep {
  CComponent* record;
  CComponent* const* next;
  CComponent* const* end;
  // When an unchecking walk released the record (0: it was not selected before the walk).
  uint32_t releasedAt;
};

WalkStep StepInto(CComponent* record, const std::vector<CComponent*>& links, uint32_t releasedAt = 0) {
  return {record, links.data(), links.data() + links.size(), releasedAt};
}

// What a walk knows of a record it has met.
struct Met {
  const CComponent* record;
  uint32_t walked : 1;              // its own links are being or have been followed
  uint32_t counted : 1;             // selectedDependants holds a count
  uint32_t selectedDependants : 30; // selected entries of its Dependants when counted, less those released since
  uint32_t countedAt;               // the walk's clock when it was counted
};

// The records a walk has met, in one open-addressing table: a lookup reads one slot, and a walk
// allocates a handful of times however large the catalogue.
class WalkTable {
 public:
  WalkTable() : slots_(size_t{1} << kFirstBits) {}

  Met& operator[](const CComponent* record) {
    if (2 * (used_ + 1) > slots_.size()) Grow();
    Met& slot = Slot(record);
    if (slot.record == nullptr) {
      slot.record = record;
      ++used_;
    }
    return slot;
  }

 private:
  static constexpr int kFirstBits = 12;

  Met& Slot(const CComponent* record) {
    // Records lie a record size apart, so their addresses differ in few bits: mix them all into
    // the top bits, which pick the slot.
    uint64_t mixed = reinterpret_cast<uintptr_t>(record);
    mixed ^= mixed >> 29;
    mixed *= 0xBF58476D1CE4E5B9ull;
    mixed ^= mixed >> 32;
    const size_t mask = slots_.size() - 1;
    size_t at = static_cast<size_t>(mixed >> (64 - bits_));
    while (slots_[at].record != nullptr && slots_[at].record != record) at = (at + 1) & mask;
    return slots_[at];
  }

  // Four times the size each time, so that a walk over a large catalogue moves its records a few
  // times only.
  void Grow() {
    std::vector<Met> old(slots_.size() * 4);
    old.swap(slots_);
    bits_ += 2;
    for (const Met& met : old)
      if (met.record != nullptr) Slot(met.record) = met;
  }

  std::vector<Met> slots_;
  int bits_ = kFirstBits;
  size_t used_ = 0;
};

// Follows `links` depth first from `start`, in the order of the links. `reach(from, record, met,
// releasedAt)` is asked for every linked record on every path and answers whether it changed the
// record; the record's own links are then followed, once (the depot allows cycles, and dense
// catalogues reach a record by many paths). `releasedAt` is passed on to the record's step.
template <class Reach>
void Walk(CComponent* start, std::vector<CComponent*> CComponent::*links, Reach reach) {
  WalkTable table;
  table[start].walked = true;
  // The record whose links are being followed stays out of the path, so that the loop over its
  // links does not touch the path's memory.
  std::vector<WalkStep> path;
  WalkStep step = StepInto(start, start->*links);
  for (;;) {
    if (step.next == step.end) {
      if (path.empty()) break;
      step = path.back();
      path.pop_back();
      continue;
    }
    CComponent* record = *step.next++;
    Met& met = table[record];
    uint32_t releasedAt = 0;
    if (!reach(step, record, met, releasedAt) || met.walked) continue;
    met.walked = true;
    path.push_back(step);
    step = StepInto(record, record->*links, releasedAt);
    // The record's links are looked at next: ask for their flags and lists now, so that the
    // memory is on its way while the first of them is looked at.
    for (const CComponent* link : record->*links) {
      PreFetchCacheLine(PF_TEMPORAL_LEVEL_1, &link->Hidden);
      PreFetchCacheLine(PF_TEMPORAL_LEVEL_1, &link->Dependants);
    }
  }
}

// Unchecking: a visible dependency keeps whatever the user gave it; a hidden one is released
// once no selected component needs it any more, and what it needs is then looked at in turn.
//
// The rules look at the record's Dependants on every path that reaches it. An unchecking walk
// only ever deselects, so "still needed" can only turn into "not needed", and it does so when the
// last selected dependant is released. So the walk counts a hidden record's selected dependants
// once, when it first reaches it, and takes one off each time it reaches it again from a
// dependant released after that count (each such dependant reaches it once per link, as often as
// it was counted: the depot links both ways). The record is released when its count is zero. The
// selection that results is the rules' (a hidden record goes exactly when everything that needs
// it has gone); only the path on which a record goes may be a later one.
void ReleaseDependencies(CComponent* component) {
  uint32_t clock = 1;
  Walk(component, &CComponent::Dependancies,
       [&clock](const WalkStep& from, CComponent* dependency, Met& met, uint32_t& releasedAt) {
         if (!dependency->Hidden) return false;
         if (!met.counted) {
           uint32_t selected = 0;
           for (const CComponent* dependant : dependency->Dependants) selected += dependant->Selected ? 1 : 0;
           met.counted = true;
           met.selectedDependants = selected & 0x3FFFFFFF;
           met.countedAt = clock++;
         } else if (from.releasedAt > met.countedAt && met.selectedDependants > 0) {
           met.selectedDependants = met.selectedDependants - 1;
         }
         if (met.selectedDependants != 0) return false;
         releasedAt = dependency->Selected ? clock++ : 0;
         dependency->Selected = false;
         return true;
       });
}

}  // namespace

CDependancyUpdater::CDependancyUpdater() {}

CDependancyUpdater::~CDependancyUpdater() {}

// A record that was left alone is looked at again on every path, because by then another path
// may have released it (the diamond: A needs the hidden B and C, both need the hidden D;
// unchecking A keeps D while C still needs it and drops D with C).
void CDependancyUpdater::PropagateSelection(CComponent* component) {
  if (component == NULL) return;
  if (!component->Selected) {
    ReleaseDependencies(component);
    return;
  }
  Walk(component, &CComponent::Dependancies, [](const WalkStep&, CComponent* dependency, Met&, uint32_t&) {
    dependency->Selected = true;
    return true;
  });
}

void CDependancyUpdater::DeselectDependants(CComponent* component) {
  if (component == NULL) return;
  Walk(component, &CComponent::Dependants, [](const WalkStep&, CComponent* dependant, Met&, uint32_t&) {
    dependant->Selected = false;
    return true;
  });
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
