// The run time's printf family: the platform's sizes and forms (the formatter's conversions are
// pinned by CString::Format's tests), _snprintf's cut, and what each call returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sandbox/test_support.h"

#include <standin_stdio.h>

namespace {

TEST(CrtPrintf, PlatformSizesAndForms) {
  char buffer[64];
  std::memset(buffer, 'G', sizeof buffer);
  const LONG smallest = -2147483647 - 1;
  EXPECT_EQ(sprintf(buffer, "%ld|%lu|%g", smallest, static_cast<ULONG>(0x80000000u), 1e20), 29);
  EXPECT_STREQ(buffer, "-2147483648|2147483648|1e+020");
}

struct CutCase {
  size_t count;
  int result;
  std::string bytes;  // the first count + 1 bytes of the buffer afterwards
};

TEST(CrtPrintf, SnprintfCutsWithoutTerminating) {
  const CutCase cases[] = {
      {.count = 8, .result = 5, .bytes = std::string("ab-12\0GGG", 9)},
      {.count = 6, .result = 5, .bytes = std::string("ab-12\0G", 7)},
      {.count = 5, .result = 5, .bytes = "ab-12G"},  // exactly full: no terminator
      {.count = 3, .result = -1, .bytes = "ab-G"},
      {.count = 0, .result = -1, .bytes = "G"},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.count);
    char buffer[16];
    std::memset(buffer, 'G', sizeof buffer);
    EXPECT_EQ(_snprintf(buffer, c.count, "%s%d", "ab", -12), c.result);
    EXPECT_EQ(std::string(buffer, c.count + 1), c.bytes);
  }
}

class CrtFprintfTest : public sandbox::testing::TempDriveTest<'T'> {};

TEST_F(CrtFprintfTest, FprintfWritesThroughTheStreamAndCounts) {
  FILE* out = fopen("T:\\f.txt", "w");
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(fprintf(out, "%hd\n", 70000), 5);  // "4464\n": text mode adds the CR on disk
  EXPECT_EQ(std::fclose(out), 0);
  EXPECT_EQ(DiskBytes("T:\\f.txt"), "4464\r\n");
}

}  // namespace
