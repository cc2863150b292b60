// The run-time's directory calls go through kernel32: same current directory, same mapping,
// errno from the Win32 error.
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "sandbox/sandbox.h"

namespace {

class CrtDirectoriesTest : public testing::Test {
 protected:
  void SetUp() override {
    sandbox::MapTempDrive('T');
    ASSERT_EQ(_mkdir("T:\\Proj"), 0);
    HANDLE h = CreateFile("T:\\Proj\\ro.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
};

TEST_F(CrtDirectoriesTest, GetcwdSharesKernel32sCurrentDirectory) {
  ASSERT_TRUE(SetCurrentDirectory("T:\\Proj"));
  char* allocated = _getcwd(nullptr, 0);
  ASSERT_NE(allocated, nullptr);
  EXPECT_STREQ(allocated, "T:\\Proj");
  std::free(allocated);

  char buffer[8];
  std::memset(buffer, 'G', sizeof buffer);
  errno = 0;
  EXPECT_EQ(_getcwd(buffer, 7), nullptr);  // "T:\Proj" needs 8 bytes with the NUL
  EXPECT_EQ(errno, ERANGE);
  EXPECT_EQ(std::string(buffer, 8), "GGGGGGGG");
  EXPECT_EQ(_getcwd(buffer, 8), buffer);
  EXPECT_STREQ(buffer, "T:\\Proj");

  ASSERT_EQ(_chdir("\\"), 0);
  char root[_MAX_PATH];
  GetCurrentDirectory(_MAX_PATH, root);
  EXPECT_STREQ(root, "T:\\");
}

struct CrtError {
  const char* what;
  std::function<int()> call;
  int error;
};

TEST_F(CrtDirectoriesTest, FailuresSetErrno) {
  const CrtError cases[] = {
      {"chdir to a missing directory", [] { return _chdir("T:\\none"); }, ENOENT},
      {"chdir to a file", [] { return _chdir("T:\\Proj\\ro.txt"); }, EINVAL},
      {"mkdir an existing name", [] { return _mkdir("T:\\proj"); }, EEXIST},
      {"mkdir below a missing parent", [] { return _mkdir("T:\\none\\x"); }, ENOENT},
      {"rmdir a full directory", [] { return _rmdir("T:\\Proj"); }, ENOTEMPTY},
      {"rmdir a file", [] { return _rmdir("T:\\Proj\\ro.txt"); }, ENOTEMPTY},
      {"rmdir a missing directory", [] { return _rmdir("T:\\none"); }, ENOENT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    errno = 0;
    EXPECT_EQ(c.call(), -1);
    EXPECT_EQ(errno, c.error);
  }
  ASSERT_EQ(_mkdir("T:\\Empty"), 0);
  EXPECT_EQ(_rmdir("t:\\empty"), 0);
}

struct AccessCase {
  const char* path;
  int mode;
  int result;
  int error;
};

TEST_F(CrtDirectoriesTest, AccessModes) {
  const AccessCase cases[] = {
      {.path = "T:\\Proj\\ro.txt", .mode = 0, .result = 0, .error = 0},
      {.path = "T:\\Proj\\ro.txt", .mode = 4, .result = 0, .error = 0},
      {.path = "T:\\Proj\\ro.txt", .mode = 2, .result = -1, .error = EACCES},
      {.path = "T:\\Proj\\ro.txt", .mode = 6, .result = -1, .error = EACCES},
      {.path = "T:\\PROJ\\RO.TXT", .mode = 0, .result = 0, .error = 0},
      {.path = "T:\\Proj", .mode = 6, .result = 0, .error = 0},
      {.path = "T:\\Proj\\none.txt", .mode = 0, .result = -1, .error = ENOENT},
      {.path = "T:\\Proj\\ro.txt", .mode = 1, .result = -1, .error = EINVAL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " mode " + std::to_string(c.mode));
    errno = 0;
    EXPECT_EQ(_access(c.path, c.mode), c.result);
    EXPECT_EQ(errno, c.error);
  }
}

}  // namespace
