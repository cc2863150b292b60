// ShellExecute: recorded, answering what the sandbox says.
#include <shellapi.h>

#include <gtest/gtest.h>

#include "sandbox/sandbox.h"

namespace {

TEST(ShellExecute, RequestsAreRecordedWithTheAnswerTheSandboxChose) {
  EXPECT_EQ(ShellExecute(NULL, NULL, "http://example.org/", NULL, NULL, SW_SHOWNORMAL),
            reinterpret_cast<HINSTANCE>(42));
  sandbox::SetShellExecuteResult(2);  // the platform's "file not found"
  EXPECT_EQ(ShellExecute(NULL, "open", "C:\\readme.txt", "-x", "C:\\", SW_SHOW), reinterpret_cast<HINSTANCE>(2));
  const std::vector<sandbox::ShellExecution> calls = sandbox::ShellExecutions();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].verb, "");
  EXPECT_EQ(calls[0].file, "http://example.org/");
  EXPECT_EQ(calls[0].showCommand, SW_SHOWNORMAL);
  EXPECT_EQ(calls[0].result, 42);
  EXPECT_EQ(calls[1].verb, "open");
  EXPECT_EQ(calls[1].parameters, "-x");
  EXPECT_EQ(calls[1].directory, "C:\\");
  EXPECT_EQ(calls[1].result, 2);
}

}  // namespace
