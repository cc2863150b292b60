// _splitpath/_makepath (including double-byte names under code page 932) and _fullpath.
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sandbox/sandbox.h"

namespace {

struct SplitCase {
  const char* path;
  const char* drive;
  const char* dir;
  const char* fname;
  const char* ext;
  unsigned codePage = 1252;
};

TEST(SplitPath, Table) {
  const SplitCase cases[] = {
      {.path = "C:\\dir\\sub\\file.ext", .drive = "C:", .dir = "\\dir\\sub\\", .fname = "file", .ext = ".ext"},
      {.path = "file", .drive = "", .dir = "", .fname = "file", .ext = ""},
      {.path = "dir/file.tar.gz", .drive = "", .dir = "dir/", .fname = "file.tar", .ext = ".gz"},
      {.path = "C:file", .drive = "C:", .dir = "", .fname = "file", .ext = ""},
      {.path = "\\dir.d\\name", .drive = "", .dir = "\\dir.d\\", .fname = "name", .ext = ""},
      {.path = ".profile", .drive = "", .dir = "", .fname = "", .ext = ".profile"},
      {.path = "C:\\", .drive = "C:", .dir = "\\", .fname = "", .ext = ""},
      {.path = "", .drive = "", .dir = "", .fname = "", .ext = ""},
      {.path = "\\\\srv\\share\\a.b", .drive = "", .dir = "\\\\srv\\share\\", .fname = "a", .ext = ".b"},
      // U+8868 is 0x95 0x5C in code page 932: its trail byte is no separator there.
      {.path = "C:\\\x95\x5C\\f.txt", .drive = "C:", .dir = "\\\x95\x5C\\", .fname = "f", .ext = ".txt", .codePage = 932},
      {.path = "C:\\d\\\x95\x5C.txt", .drive = "C:", .dir = "\\d\\", .fname = "\x95\x5C", .ext = ".txt", .codePage = 932},
      {.path = "C:\\d\\\x95\x5C.txt", .drive = "C:", .dir = "\\d\\\x95\\", .fname = "", .ext = ".txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    sandbox::SetCodePage(c.codePage);
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    std::memset(dir, 'G', sizeof dir);
    _splitpath(c.path, drive, dir, fname, ext);
    EXPECT_STREQ(drive, c.drive);
    EXPECT_STREQ(dir, c.dir);
    EXPECT_STREQ(fname, c.fname);
    EXPECT_STREQ(ext, c.ext);
  }
}

TEST(SplitPath, NullOutputsAreSkipped) {
  char fname[_MAX_FNAME];
  _splitpath("C:\\dir\\name.ext", nullptr, nullptr, fname, nullptr);
  EXPECT_STREQ(fname, "name");
}

struct MakeCase {
  const char* drive;
  const char* dir;
  const char* fname;
  const char* ext;
  const char* path;
  unsigned codePage = 1252;
};

TEST(MakePath, Table) {
  const MakeCase cases[] = {
      {.drive = "C", .dir = "\\dir", .fname = "file", .ext = "ext", .path = "C:\\dir\\file.ext"},
      {.drive = "C:", .dir = "\\dir\\", .fname = "file", .ext = ".ext", .path = "C:\\dir\\file.ext"},
      {.drive = nullptr, .dir = "dir/", .fname = "f", .ext = nullptr, .path = "dir/f"},
      {.drive = "", .dir = "", .fname = "f", .ext = "", .path = "f"},
      {.drive = "D", .dir = nullptr, .fname = nullptr, .ext = "txt", .path = "D:.txt"},
      // A directory ending in the trail byte 0x5C still needs its separator under 932.
      {.drive = nullptr, .dir = "\\\x95\x5C", .fname = "f", .ext = nullptr, .path = "\\\x95\x5C\\f", .codePage = 932},
      {.drive = nullptr, .dir = "\\\x95\x5C", .fname = "f", .ext = nullptr, .path = "\\\x95\x5C" "f"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    sandbox::SetCodePage(c.codePage);
    char path[_MAX_PATH];
    std::memset(path, 'G', sizeof path);
    _makepath(path, c.drive, c.dir, c.fname, c.ext);
    EXPECT_STREQ(path, c.path);
  }
}

TEST(MakePath, UndoesSplitPath) {
  sandbox::SetCodePage(932);
  const char* paths[] = {"C:\\a\\b.c", "x/y.z", "\\\x95\x5C\\\x95\x5C.txt"};
  for (const char* original : paths) {
    SCOPED_TRACE(original);
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT], path[_MAX_PATH];
    _splitpath(original, drive, dir, fname, ext);
    _makepath(path, drive, dir, fname, ext);
    EXPECT_STREQ(path, original);
  }
}

TEST(FullPath, ResolvesAgainstTheCurrentDirectory) {
  sandbox::MapTempDrive('T');
  ASSERT_EQ(_mkdir("T:\\Proj"), 0);
  ASSERT_EQ(_chdir("T:\\Proj"), 0);
  char* full = _fullpath(nullptr, "a\\..\\b.txt", 0);
  ASSERT_NE(full, nullptr);
  EXPECT_STREQ(full, "T:\\Proj\\b.txt");
  std::free(full);
  char buffer[_MAX_PATH];
  EXPECT_EQ(_fullpath(buffer, nullptr, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "T:\\Proj");
  char small[8];
  errno = 0;
  EXPECT_EQ(_fullpath(small, "b.txt", sizeof small), nullptr);
  EXPECT_EQ(errno, ERANGE);
}

}  // namespace
