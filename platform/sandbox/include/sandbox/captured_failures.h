// For tests that check a stand-in reports a failure: while a CapturedFailures object lives, what
// the stand-ins report through the failure handler is collected instead of failing the test; the
// tests' own handler (ADD_FAILURE) is back when it goes.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/core.h"

namespace sandbox::testing {

class CapturedFailures {
 public:
  CapturedFailures() {
    SetFailureHandler([this](const std::string& message) { messages_.push_back(message); });
  }
  ~CapturedFailures() {
    SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
  }
  CapturedFailures(const CapturedFailures&) = delete;
  CapturedFailures& operator=(const CapturedFailures&) = delete;

  const std::vector<std::string>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 private:
  std::vector<std::string> messages_;
};

}  // namespace sandbox::testing
