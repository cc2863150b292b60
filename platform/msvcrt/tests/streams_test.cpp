// The run time's FILE streams with Windows paths: fopen through kernel32 (mapping, sharing,
// read-only files, directories, injected failures), text and binary mode as CStdioFile has them,
// failures surfacing at fflush and fclose, remove and rename.
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"

// After the test framework: the header renames the calls that take paths.
#include <standin_stdio.h>

namespace {

class CrtStreamsTest : public sandbox::testing::TempDriveTest<'T'> {
 protected:
  std::vector<std::string> Lines(const char* path, const char* mode) {
    std::vector<std::string> lines;
    FILE* in = fopen(path, mode);
    EXPECT_NE(in, nullptr);
    if (in == nullptr) return lines;
    char line[64];
    while (std::fgets(line, sizeof line, in) != nullptr) lines.emplace_back(line);
    EXPECT_FALSE(std::ferror(in));
    EXPECT_EQ(std::fclose(in), 0);
    return lines;
  }
};

struct ModeCase {
  const char* writeMode;
  const char* readMode;
  const char* onDisk;  // what fputs("a\nb\r\nc\n") leaves
  std::vector<std::string> lines;
};

TEST_F(CrtStreamsTest, TextAndBinaryModes) {
  const ModeCase cases[] = {
      {.writeMode = "w", .readMode = "r", .onDisk = "a\r\nb\r\r\nc\r\n", .lines = {"a\n", "b\r\n", "c\n"}},
      {.writeMode = "wt", .readMode = "rt", .onDisk = "a\r\nb\r\r\nc\r\n", .lines = {"a\n", "b\r\n", "c\n"}},
      {.writeMode = "wb", .readMode = "rb", .onDisk = "a\nb\r\nc\n", .lines = {"a\n", "b\r\n", "c\n"}},
      {.writeMode = "wb", .readMode = "r", .onDisk = "a\nb\r\nc\n", .lines = {"a\n", "b\n", "c\n"}},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(std::string(c.writeMode) + " then " + c.readMode);
    FILE* out = fopen("T:\\Lines.txt", c.writeMode);
    ASSERT_NE(out, nullptr);
    EXPECT_GE(std::fputs("a\nb\r\nc\n", out), 0);
    EXPECT_EQ(std::fclose(out), 0);
    EXPECT_EQ(DiskBytes("T:\\lines.txt"), c.onDisk);
    EXPECT_EQ(Lines("t:/LINES.TXT", c.readMode), c.lines);
  }
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(CrtStreamsTest, CtrlZEndsTextButNotBinaryReading) {
  WriteDisk("z.txt", "one\r\ntwo\x1arest\r\n");
  EXPECT_EQ(Lines("T:\\z.txt", "r"), (std::vector<std::string>{"one\n", "two"}));
  EXPECT_EQ(Lines("T:\\z.txt", "rb"), (std::vector<std::string>{"one\r\n", "two\x1arest\r\n"}));
}

TEST_F(CrtStreamsTest, UpdateModeReadsSeeksAndWrites) {
  WriteDisk("u.bin", "0123456789");
  FILE* f = fopen("T:\\u.bin", "r+b");
  ASSERT_NE(f, nullptr);
  char head[4] = {};
  EXPECT_EQ(std::fread(head, 1, 3, f), 3u);
  EXPECT_STREQ(head, "012");
  ASSERT_EQ(std::fseek(f, 5, SEEK_SET), 0);
  EXPECT_EQ(std::fwrite("XY", 1, 2, f), 2u);
  ASSERT_EQ(std::fseek(f, 0, SEEK_END), 0);
  EXPECT_EQ(std::ftell(f), 10);
  EXPECT_EQ(std::fclose(f), 0);
  EXPECT_EQ(DiskBytes("T:\\u.bin"), "01234XY789");
}

struct OpenFailure {
  const char* what;
  const char* path;
  const char* mode;
  int error;
};

TEST_F(CrtStreamsTest, OpenFailuresSetErrnoAndLeaveFilesAlone) {
  WriteDisk("Dir/ro.txt", "kept");
  ASSERT_TRUE(SetFileAttributes("T:\\Dir\\ro.txt", FILE_ATTRIBUTE_READONLY));
  WriteDisk("locked.txt", "locked");
  HANDLE lock = CreateFile("T:\\locked.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  WriteDisk("injected.txt", "x");
  sandbox::InjectFileFailure("T:\\injected.txt", "open", ERROR_SHARING_VIOLATION);

  const OpenFailure cases[] = {
      {.what = "missing file", .path = "T:\\none.txt", .mode = "r", .error = ENOENT},
      {.what = "missing folder", .path = "T:\\none\\x.txt", .mode = "wb", .error = ENOENT},
      {.what = "a directory for reading", .path = "T:\\Dir", .mode = "rb", .error = EACCES},
      {.what = "a directory for writing", .path = "T:\\Dir", .mode = "wb", .error = EACCES},
      {.what = "read-only file for writing", .path = "T:\\Dir\\ro.txt", .mode = "wb", .error = EACCES},
      {.what = "read-only file for update", .path = "T:\\Dir\\ro.txt", .mode = "r+b", .error = EACCES},
      {.what = "a file open without sharing", .path = "T:\\locked.txt", .mode = "r", .error = EACCES},
      {.what = "injected failure", .path = "T:\\injected.txt", .mode = "r", .error = EACCES},
      {.what = "bad mode", .path = "T:\\Dir\\ro.txt", .mode = "rw", .error = EINVAL},
      {.what = "empty mode", .path = "T:\\Dir\\ro.txt", .mode = "", .error = EINVAL},
  };
  for (const OpenFailure& c : cases) {
    SCOPED_TRACE(c.what);
    errno = 0;
    FILE* f = fopen(c.path, c.mode);
    EXPECT_EQ(f, nullptr);
    if (f != nullptr) std::fclose(f);
    EXPECT_EQ(errno, c.error);
  }
  CloseHandle(lock);
  EXPECT_EQ(DiskBytes("T:\\Dir\\ro.txt"), "kept");
  EXPECT_EQ(DiskBytes("T:\\locked.txt"), "locked");
  EXPECT_EQ(Lines("T:\\Dir\\ro.txt", "r"), (std::vector<std::string>{"kept"}));
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(CrtStreamsTest, AppendModeIsUnmodelledAndLoud) {
  EXPECT_EQ(fopen("T:\\a.txt", "a"), nullptr);
  EXPECT_EQ(sandbox::UnmodelledCalls(), (std::vector<std::string>{"msvcrt_fopen"}));
  EXPECT_FALSE(OnDisk("T:\\a.txt"));
}

// The system checks the results of fflush and fclose to decide whether a written file may
// replace its target: a failure must surface there.
TEST_F(CrtStreamsTest, WriteFailuresSurfaceAtFlushAndClose) {
  FILE* f = fopen("T:\\w.txt", "wb");
  ASSERT_NE(f, nullptr);
  EXPECT_GE(std::fputs("pending", f), 0);  // still in the buffer
  sandbox::InjectFileFailure("T:\\w.txt", "write", ERROR_DISK_FULL);
  EXPECT_EQ(std::fflush(f), EOF);
  EXPECT_TRUE(std::ferror(f));
  std::fclose(f);

  // A write larger than the buffer fails at once.
  f = fopen("T:\\big.txt", "wb");
  ASSERT_NE(f, nullptr);
  sandbox::InjectFileFailure("T:\\big.txt", "write", ERROR_DISK_FULL);
  const std::string big(100000, 'b');
  EXPECT_LT(std::fwrite(big.data(), 1, big.size(), f), big.size());
  EXPECT_TRUE(std::ferror(f));
  std::fclose(f);

  f = fopen("T:\\c.txt", "wb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(std::fflush(f), 0);
  sandbox::InjectFileFailure("T:\\c.txt", "close", ERROR_DISK_FULL);
  EXPECT_EQ(std::fclose(f), EOF);
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);  // closed all the same
}

struct PathCallCase {
  const char* what;
  int (*call)();
  int result;
  int error;
  const char* left;  // a file that must still hold "a" afterwards, or nullptr
};

TEST_F(CrtStreamsTest, RemoveAndRename) {
  const PathCallCase cases[] = {
      {.what = "remove", .call = [] { return remove("T:\\a.txt"); }, .result = 0, .error = 0, .left = nullptr},
      {.what = "remove a missing file", .call = [] { return remove("T:\\none.txt"); }, .result = -1, .error = ENOENT,
       .left = nullptr},
      {.what = "remove a read-only file", .call = [] { return remove("T:\\ro.txt"); }, .result = -1,
       .error = EACCES, .left = "T:\\ro.txt"},
      {.what = "remove a directory", .call = [] { return remove("T:\\Dir"); }, .result = -1, .error = EACCES,
       .left = nullptr},
      {.what = "rename", .call = [] { return rename("T:\\a.txt", "T:\\Dir\\moved.txt"); }, .result = 0, .error = 0,
       .left = "T:\\Dir\\moved.txt"},
      {.what = "rename onto an existing name", .call = [] { return rename("T:\\a.txt", "T:\\b.txt"); },
       .result = -1, .error = EEXIST, .left = "T:\\a.txt"},
  };
  for (const PathCallCase& c : cases) {
    SCOPED_TRACE(c.what);
    WriteDisk("a.txt", "a");
    WriteDisk("b.txt", "a");
    WriteDisk("ro.txt", "a");
    WriteDisk("Dir/keep", "");
    SetFileAttributes("T:\\ro.txt", FILE_ATTRIBUTE_READONLY);
    errno = 0;
    EXPECT_EQ(c.call(), c.result);
    EXPECT_EQ(errno, c.error);
    if (c.left != nullptr) {
      EXPECT_EQ(DiskBytes(c.left), "a");
    }
    SetFileAttributes("T:\\ro.txt", FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
