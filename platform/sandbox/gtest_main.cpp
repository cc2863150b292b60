// main() of every test program: each test starts from a freshly reset sandbox, and a stand-in
// that reports a failure (strict mode, misuse) fails the running test.
#include <gtest/gtest.h>

#include "sandbox/sandbox.h"

namespace {

class SandboxListener : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { sandbox::Reset(); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  sandbox::SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
  testing::UnitTest::GetInstance()->listeners().Append(new SandboxListener);
  return RUN_ALL_TESTS();
}
