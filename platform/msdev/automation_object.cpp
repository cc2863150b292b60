// Live automation objects by kind (automation_object.h).
#include "automation_object.h"

#include <array>

namespace msdev {
namespace {

constexpr const char* kKindNames[] = {"Application",   "Projects", "Project",  "Configurations", "Configuration",
                                      "Documents",     "Document", "Debugger", "ConnectionPoint"};
constexpr size_t kKinds = sizeof kKindNames / sizeof kKindNames[0];

std::array<std::atomic<int>, kKinds>& Counts() {
  static auto* counts = new std::array<std::atomic<int>, kKinds>{};  // objects may outlive static destruction
  return *counts;
}

}  // namespace

void CountLive(ObjectKind kind, int delta) { Counts()[static_cast<size_t>(kind)] += delta; }

std::map<std::string, int> LiveObjects() {
  std::map<std::string, int> live;
  for (size_t i = 0; i < kKinds; ++i)
    if (const int n = Counts()[i].load(); n != 0) live[kKindNames[i]] = n;
  return live;
}

}  // namespace msdev
