// Keeps the catalogue's selection complete while the user checks and unchecks components: what a
// component needs follows it, and what needs a component can be made to follow it.
#pragma once

#include "stdafx.h"

#include "Component.h"

class CDependancyUpdater {
 public:
  CDependancyUpdater();
  virtual ~CDependancyUpdater();

  // Gives the component's Selected state to what it needs, directly and indirectly. Selecting
  // selects every dependency; deselecting deselects only the hidden dependencies that no other
  // selected component still needs.
  void PropagateSelection(CComponent* component);
  // Deselects every component that needs this one, directly and indirectly.
  void DeselectDependants(CComponent* component);
  bool HasSelectedDependant(const CComponent* component) const;
  bool HasOtherSelectedDependant(const CComponent* component, const CComponent* excluded) const;
};
