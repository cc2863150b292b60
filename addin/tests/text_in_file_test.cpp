// Inserting and removing the include block in a precompiled header.
#include <gtest/gtest.h>

#include "customizer/TextInFile.h"
#include "sandbox/test_support.h"

namespace {

class TextInFileTest : public sandbox::testing::TempDriveTest<'P'> {};

TEST_F(TextInFileTest, InsertsAtTheMarkerOrAtTheEndAndNeverTwice) {
  struct Case {
    const char* name;
    const char* before;  // file bytes
    bool markerFirst;
    const char* after;
  } const cases[] = {
      {"before the marker", "a\r\n//MARK\r\nb\r\n", true, "a\r\nINS\r\n//MARK\r\nb\r\n"},
      {"after the marker", "a\r\n//MARK\r\nb\r\n", false, "a\r\n//MARKINS\r\n\r\nb\r\n"},
      {"no marker: at the end", "a\r\nb\r\n", true, "a\r\nb\r\nINS\r\n"},
      {"already there", "a\r\nINS\r\n//MARK\r\n", true, "a\r\nINS\r\n//MARK\r\n"},
      {"empty file", "", true, ""},
      {"LF only: read as text, written CR LF", "a\n//MARK\n", true, "a\r\nINS\r\n//MARK\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteDisk("StdAfx.h", c.before);
    InsertTextInFile("P:\\StdAfx.h", "INS\n", "//MARK", c.markerFirst);
    EXPECT_EQ(DiskBytes("P:\\StdAfx.h"), c.after);
  }
}

TEST_F(TextInFileTest, RemovesTheFirstOccurrenceOnly) {
  struct Case {
    const char* name;
    const char* before;
    const char* after;
  } const cases[] = {
      {"first of two", "a\r\nDEL\r\nb\r\nDEL\r\n", "a\r\nb\r\nDEL\r\n"},
      {"absent", "a\r\nb\r\n", "a\r\nb\r\n"},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteDisk("StdAfx.h", c.before);
    RemoveTextFromFile("P:\\StdAfx.h", "DEL\n");
    EXPECT_EQ(DiskBytes("P:\\StdAfx.h"), c.after);
  }
}

// The rewrite goes beside the file first: a failed write leaves the header as it was.
TEST_F(TextInFileTest, AFailedWriteLeavesTheFileAsItWas) {
  WriteDisk("StdAfx.h", "a\r\n//MARK\r\n");
  sandbox::InjectFileFailure("P:\\StdAfx.h.~new", "write", ERROR_DISK_FULL);
  EXPECT_EQ(sandbox::testing::ThrownFileCause([] { InsertTextInFile("P:\\StdAfx.h", "INS\n", "//MARK", true); }),
            CFileException::diskFull);
  EXPECT_EQ(DiskBytes("P:\\StdAfx.h"), "a\r\n//MARK\r\n");
  EXPECT_FALSE(OnDisk("P:\\StdAfx.h.~new"));
}

}  // namespace
