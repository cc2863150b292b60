// OutputDebugString is kept for the sandbox, one text per call, in call order.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

TEST(DebugOutput, TextsComeBackInCallOrderUntilCleared) {
  OutputDebugString("first");
  OutputDebugString(nullptr);
  OutputDebugString("second\n");
  HANDLE thread = CreateThread(
      nullptr, 0, [](LPVOID) -> DWORD { OutputDebugString("from a thread"); return 0; }, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(sandbox::DebugOutput(), (std::vector<std::string>{"first", "second\n", "from a thread"}));
  sandbox::ClearDebugOutput();
  OutputDebugString("after");
  EXPECT_EQ(sandbox::DebugOutput(), (std::vector<std::string>{"after"}));
  sandbox::Reset();
  EXPECT_TRUE(sandbox::DebugOutput().empty());
}

}  // namespace
