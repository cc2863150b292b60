// File utilities over the run time's streams on a sandbox drive: temporary names, existence and
// writability checks, path splitting, CR LF writing and replacing a file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"
#include "toolbox/FileUtil.h"
#include "toolbox/ToolboxResults.h"

namespace {

class FileUtilTest : public sandbox::testing::TempDriveTest<'T'> {};

struct TempCase {
  const char* what;
  const char* prefix;
  std::vector<std::string> taken;  // names in T:\Dir before the call
  int result;
  const char* name;
};

TEST_F(FileUtilTest, OpenTempTakesTheFirstFreeNumber) {
  std::vector<std::string> zeroToNine;
  for (int i = 0; i < 10; ++i) zeroToNine.push_back("ini$$" + std::to_string(i) + ".TMP");
  const TempCase cases[] = {
      {.what = "nothing taken", .prefix = "ini$$", .taken = {}, .result = 1, .name = "T:\\Dir\\ini$$0.TMP"},
      {.what = "0 to 9 taken", .prefix = "ini$$", .taken = zeroToNine, .result = 1, .name = "T:\\Dir\\ini$$10.TMP"},
      {.what = "a folder takes its name", .prefix = "ini$$", .taken = {"ini$$0.TMP/"}, .result = 1,
       .name = "T:\\Dir\\ini$$1.TMP"},
      {.what = "names compare in any case", .prefix = "ini$$", .taken = {"INI$$0.tmp"}, .result = 1,
       .name = "T:\\Dir\\ini$$1.TMP"},
      {.what = "the prefix keeps five characters", .prefix = "longprefix", .taken = {}, .result = 1,
       .name = "T:\\Dir\\longp0.TMP"},
  };
  for (const TempCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(host_ + "/Dir");
    std::filesystem::create_directories(host_ + "/Dir");
    for (const std::string& name : c.taken) {
      if (name.back() == '/') std::filesystem::create_directories(host_ + "/Dir/" + name);
      else WriteDisk("Dir/" + name, "taken");
    }
    char name[_MAX_PATH] = "poison";
    FILE* stream = nullptr;
    EXPECT_EQ(FileOpenTemp("T:\\Dir\\target.ini", c.prefix, "TMP", "wb", name, &stream), c.result);
    EXPECT_STREQ(name, c.name);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(std::fputs("new", stream), 1);
    EXPECT_EQ(std::fclose(stream), 0);
    EXPECT_EQ(DiskBytes(name), "new");
    for (const std::string& taken : c.taken)
      if (taken.back() != '/') {
        EXPECT_EQ(DiskBytes("T:\\Dir\\" + taken), "taken");
      }
  }
}

TEST_F(FileUtilTest, OpenTempFailsWhenNoNameIsFreeOrTheFileWillNotOpen) {
  WriteDisk("Full/keep", "");
  for (int i = 0; i < 1000; ++i) WriteDisk("Full/t" + std::to_string(i) + ".TMP", "");
  char name[_MAX_PATH];
  FILE* stream = reinterpret_cast<FILE*>(1);
  EXPECT_EQ(FileOpenTemp("T:\\Full\\x.ini", "t", "TMP", "wb", name, &stream), TBX_NO_TEMP_FILE);
  EXPECT_EQ(stream, nullptr);
  WriteDisk("Locked/keep", "");
  ASSERT_TRUE(SetFileAttributes("T:\\Locked", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(FileOpenTemp("T:\\Locked\\x.ini", "t", "TMP", "wb", name, &stream), TBX_NO_TEMP_FILE);
  EXPECT_FALSE(OnDisk("T:\\Locked\\t0.TMP"));
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(FileUtilTest, FileIsThereOnlyForFilesThatOpen) {
  WriteDisk("Dir/file.txt", "x");
  EXPECT_EQ(FileIsThere("T:\\Dir\\FILE.TXT"), 1);
  EXPECT_EQ(FileIsThere("T:\\Dir"), 0);  // a folder never opens as a file
  EXPECT_EQ(FileIsThere("T:\\Dir\\none.txt"), 0);
  EXPECT_EQ(FileIsThere(nullptr), 0);
}

struct CanWriteCase {
  const char* what;
  const char* path;
  int writable;
};

TEST_F(FileUtilTest, CanWriteProbesWithoutChangingAnything) {
  WriteDisk("Dir/plain.txt", "plain");
  WriteDisk("Dir/ro.txt", "read-only");
  WriteDisk("Locked/inside.txt", "inside");
  ASSERT_TRUE(SetFileAttributes("T:\\Dir\\ro.txt", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributes("T:\\Locked", FILE_ATTRIBUTE_READONLY));
  const CanWriteCase cases[] = {
      {.what = "existing file", .path = "T:\\Dir\\plain.txt", .writable = 1},
      {.what = "read-only file", .path = "T:\\Dir\\ro.txt", .writable = 0},
      {.what = "new name", .path = "T:\\Dir\\new.txt", .writable = 1},
      {.what = "new name in a read-only folder", .path = "T:\\Locked\\new.txt", .writable = 0},
      {.what = "existing file in a read-only folder", .path = "T:\\Locked\\inside.txt", .writable = 1},
      {.what = "a folder", .path = "T:\\Dir", .writable = 0},
      {.what = "a read-only folder", .path = "T:\\Locked", .writable = 0},
      {.what = "name in a missing folder", .path = "T:\\None\\new.txt", .writable = 0},
  };
  for (const CanWriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    int writable = 5;
    EXPECT_EQ(FileCanWrite(c.path, &writable), 1);
    EXPECT_EQ(writable, c.writable);
  }
  EXPECT_EQ(DiskBytes("T:\\Dir\\plain.txt"), "plain");
  EXPECT_EQ(DiskBytes("T:\\Dir\\ro.txt"), "read-only");
  EXPECT_EQ(DiskBytes("T:\\Locked\\inside.txt"), "inside");
  EXPECT_FALSE(OnDisk("T:\\Dir\\new.txt"));
  EXPECT_FALSE(OnDisk("T:\\Locked\\new.txt"));
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

// An existing file that will not open (held without sharing) is no free name to create over.
TEST_F(FileUtilTest, CanWriteNeverCreatesOverAFileThatWillNotOpen) {
  WriteDisk("held.txt", "held");
  HANDLE held = CreateFile("T:\\held.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  int writable = 5;
  EXPECT_EQ(FileCanWrite("T:\\held.txt", &writable), 1);
  EXPECT_EQ(writable, 0);
  CloseHandle(held);
  EXPECT_EQ(DiskBytes("T:\\held.txt"), "held");
}

struct SplitCase {
  const char* path;
  const char* drive;
  const char* folder;
  const char* name;
};

TEST(PathSplit, DriveFolderAndName) {
  const SplitCase cases[] = {
      {"C:\\dir\\sub\\file.ini", "C:", "\\dir\\sub\\", "file.ini"},
      {"C:\\file.ini", "C:", "\\", "file.ini"},
      {"C:\\dir\\", "C:", "\\dir\\", ""},
      {"\\\\srv\\share\\a.ini", "", "\\\\srv\\share\\", "a.ini"},
      {"dir\\a:b", "", "dir\\", "a:b"},  // a colon after a backslash is no drive
      {"C:file.ini", "C:", "", "file.ini"},
      {"file.ini", "", "", "file.ini"},
      {"", "", "", ""},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.path);
    char drive[_MAX_PATH] = "x", folder[_MAX_PATH] = "x", name[_MAX_PATH] = "x";
    PathSplit(c.path, drive, folder, name);
    EXPECT_STREQ(drive, c.drive);
    EXPECT_STREQ(folder, c.folder);
    EXPECT_STREQ(name, c.name);
  }
  // A double-byte character whose trail byte is 0x5C is no backslash.
  sandbox::SetCodePage(932);
  char folder[_MAX_PATH], name[_MAX_PATH];
  PathSplit("C:\\d\\\x95\x5C.ini", nullptr, folder, name);
  EXPECT_STREQ(folder, "\\d\\");
  EXPECT_STREQ(name, "\x95\x5C.ini");
  sandbox::SetCodePage(1252);
}

struct CrLfCase {
  std::string text;
  std::string written;
};

std::string Repeated(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

TEST(FileWriteCRLF, EveryLineFeedBecomesCrLf) {
  const CrLfCase cases[] = {
      {"a\nb\n\nc\r\n", "a\r\nb\r\n\r\nc\r\r\n"},
      {"", ""},
      {"no line end", "no line end"},
      {Repeated("ab\n", 3000), Repeated("ab\r\n", 3000)},  // many buffers full
      {"x\n" + std::string(9000, 'l') + "\ny", "x\r\n" + std::string(9000, 'l') + "\r\ny"},  // a run longer than one
  };
  for (const CrLfCase& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    char* text = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&text, &size);
    EXPECT_EQ(FileWriteCRLF(stream, c.text.c_str()), 1);
    std::fclose(stream);
    EXPECT_EQ(std::string(text, size), c.written);
    std::free(text);
  }

  FILE* readOnly = fmemopen(const_cast<char*>("x"), 1, "r");
  EXPECT_EQ(FileWriteCRLF(readOnly, "a\n"), TBX_WRITE_FAILED);
  std::fclose(readOnly);
}

TEST_F(FileUtilTest, ReplaceMovesOntoTheTargetInOneStep) {
  WriteDisk("new.ini", "new");
  WriteDisk("target.ini", "old");
  sandbox::InjectFileFailure("T:\\target.ini", "move", ERROR_ACCESS_DENIED);
  EXPECT_EQ(FileReplace("T:\\new.ini", "T:\\target.ini"), TBX_MOVE_FAILED);
  EXPECT_EQ(DiskBytes("T:\\target.ini"), "old");  // a failed move leaves the target whole
  EXPECT_EQ(FileReplace("T:\\new.ini", "T:\\target.ini"), 0);
  EXPECT_EQ(DiskBytes("T:\\target.ini"), "new");
  EXPECT_FALSE(OnDisk("T:\\new.ini"));
  EXPECT_EQ(FileReplace("T:\\new.ini", "T:\\target.ini"), TBX_MOVE_FAILED);
  EXPECT_EQ(FileReplace("T:\\target.ini", "T:\\fresh.ini"), 0);
  EXPECT_EQ(DiskBytes("T:\\fresh.ini"), "new");
}

}  // namespace
