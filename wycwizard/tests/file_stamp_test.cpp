// The file stamp's order (time first, then the path's bytes) and equality (time, path in any
// case, flag), on which the project's file sets and the manager's comparison rely.
#include <windows.h>

#include <gtest/gtest.h>

#include "FileStamp.h"
#include "sandbox/test_support.h"

namespace {

FILETIME Time(DWORD high, DWORD low) { return FILETIME{low, high}; }

TEST(FileStamp, OrderAndEquality) {
  const struct {
    const char* what;
    CFileStamp a, b;
    bool less, equal;
  } rows[] = {
      {.what = "earlier time first, whatever the path", .a = {true, "z.c", Time(0, 5)}, .b = {true, "a.c", Time(1, 0)},
       .less = true, .equal = false},
      {.what = "the high part counts first", .a = {true, "a.c", Time(1, 0)}, .b = {true, "a.c", Time(0, 0xFFFFFFFF)},
       .less = false, .equal = false},
      {.what = "equal times by the path's bytes", .a = {true, "B.c", Time(0, 5)}, .b = {true, "a.c", Time(0, 5)},
       .less = true, .equal = false},
      {.what = "the path's case makes them equal, not the same in order", .a = {true, "A.C", Time(0, 5)},
       .b = {true, "a.c", Time(0, 5)}, .less = true, .equal = true},
      {.what = "the flag counts for equality only", .a = {true, "a.c", Time(0, 5)}, .b = {false, "a.c", Time(0, 5)},
       .less = false, .equal = false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.a < row.b, row.less);
    EXPECT_EQ(row.b > row.a, row.less);
    EXPECT_EQ(row.a == row.b, row.equal);
  }
  // A set holds one record per time and path, whatever the flag.
  CFileStampSet set{{true, "a.c", Time(0, 5)}, {false, "a.c", Time(0, 5)}, {true, "a.c", Time(0, 6)}};
  EXPECT_EQ(set.size(), 2u);
  CFileStamp stamp(true, "a.c", Time(1, 1));
  EXPECT_FALSE(stamp.IsEmpty());
  stamp.Reset();
  EXPECT_TRUE(stamp.IsEmpty());
}

class FileStampOfFile : public sandbox::testing::TempDriveTest<'T'> {};

TEST_F(FileStampOfFile, TakesTheLastWriteTimeOfAFileThatOpens) {
  WriteDisk("a.uir", "x");
  HANDLE file = CreateFile("T:\\a.uir", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME written = Time(0x01CB0000, 0x12345678);
  ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
  CloseHandle(file);
  CFileStamp stamp;
  ASSERT_TRUE(CFileStamp::OfFile("T:\\A.UIR", true, stamp));
  EXPECT_EQ(stamp, CFileStamp(true, "T:\\A.UIR", written));
  EXPECT_FALSE(CFileStamp::OfFile("T:\\missing.uir", true, stamp));
  EXPECT_FALSE(CFileStamp::OfFile("T:\\", true, stamp)) << "a folder";
  EXPECT_EQ(stamp.m_path, "T:\\A.UIR") << "untouched";
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

}  // namespace
