// The process's environment as the sandbox sets it, and the breaks and program ends the sandbox
// records instead of trapping or ending the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

TEST(GetEnvironmentVariable, AnswersFromTheSandboxEnvironment) {
  sandbox::SetEnvironmentValue("VXIPNPPATH", "C:\\VXIPNP\\");
  sandbox::SetEnvironmentValue("EMPTY", "");
  struct Case {
    const char* what;
    const char* name;
    DWORD size;
    DWORD result;
    DWORD error;           // the last error afterwards (kPoison: left alone)
    const char* buffer;    // what the buffer holds afterwards
  } cases[] = {
      {.what = "fits", .name = "VXIPNPPATH", .size = 11, .result = 10, .error = kPoison, .buffer = "C:\\VXIPNP\\"},
      {.what = "any case", .name = "vxipnppath", .size = 64, .result = 10, .error = kPoison, .buffer = "C:\\VXIPNP\\"},
      {.what = "no room for the NUL: the size it needs, buffer untouched", .name = "VXIPNPPATH", .size = 10,
       .result = 11, .error = kPoison, .buffer = "poisoned"},
      {.what = "not set", .name = "PATH", .size = 64, .result = 0, .error = ERROR_ENVVAR_NOT_FOUND,
       .buffer = "poisoned"},
      {.what = "set and empty", .name = "EMPTY", .size = 64, .result = 0, .error = ERROR_SUCCESS, .buffer = ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    char buffer[64];
    std::strcpy(buffer, "poisoned");
    SetLastError(kPoison);
    EXPECT_EQ(GetEnvironmentVariable(c.name, buffer, c.size), c.result);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_STREQ(buffer, c.buffer);
  }
  EXPECT_EQ(GetEnvironmentVariable("VXIPNPPATH", nullptr, 0), 11u) << "no buffer: the size it needs";
  sandbox::RemoveEnvironmentValue("vxipnpPATH");
  EXPECT_EQ(GetEnvironmentVariable("VXIPNPPATH", nullptr, 0), 0u);
  sandbox::Reset();
  EXPECT_EQ(GetEnvironmentVariable("EMPTY", nullptr, 0), 0u) << "a reset empties the environment";
  EXPECT_THROW(sandbox::SetEnvironmentValue("A=B", "x"), std::invalid_argument);
}

TEST(ProcessEnds, BreaksAndExitsAreRecordedAndTheProgramGoesOn) {
  DebugBreak();
  DebugBreak();
  ExitProcess(3);
  ExitProcess(0);
  EXPECT_EQ(sandbox::DebugBreaks(), 2u);
  EXPECT_EQ(sandbox::ProgramEnds(), (std::vector<uint32_t>{3, 0}));
  sandbox::Reset();
  EXPECT_EQ(sandbox::DebugBreaks(), 0u);
  EXPECT_TRUE(sandbox::ProgramEnds().empty());
}

}  // namespace
