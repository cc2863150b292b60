// CFile, CFileStatus, CStdioFile and CFileFind over kernel32's files on a sandbox temp drive.
#include <afx.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "assertion.h"
#include "sandbox/sandbox.h"

namespace {

// The bytes of a file, through kernel32.
std::string RawRead(const char* path) {
  HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, NULL) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

void RawWrite(const char* path, const std::string& bytes) {
  HANDLE file = CreateFile(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL));
  CloseHandle(file);
}

class FileTest : public testing::Test {
 protected:
  void SetUp() override { m_host = sandbox::MapTempDrive('T'); }
  std::string m_host;  // the host folder of T:
};

// ---------------------------------------------------------------------------------------------
// CFile

TEST_F(FileTest, OpenFailureFillsTheExceptionWithCauseErrorAndName) {
  struct Case {
    const char* name;
    const char* path;
    UINT flags;
    int cause;
    LONG osError;
  };
  RawWrite("T:\\exists.txt", "x");
  const Case cases[] = {
      {.name = "missing file", .path = "T:\\missing.txt", .flags = CFile::modeRead,
       .cause = CFileException::fileNotFound, .osError = ERROR_FILE_NOT_FOUND},
      {.name = "missing folder", .path = "T:\\no\\such.txt", .flags = CFile::modeCreate | CFile::modeWrite,
       .cause = CFileException::badPath, .osError = ERROR_PATH_NOT_FOUND},
      {.name = "bad name", .path = "T:\\a<b.txt", .flags = CFile::modeRead, .cause = CFileException::badPath,
       .osError = ERROR_INVALID_NAME},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFile file;
    CFileException e(CFileException::none, 0xdead, "poison");
    EXPECT_FALSE(file.Open(c.path, c.flags, &e));
    EXPECT_EQ(e.m_cause, c.cause);
    EXPECT_EQ(e.m_lOsError, c.osError);
    EXPECT_EQ(std::string(e.m_strFileName), c.path);
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_FALSE(file.Open(c.path, c.flags));  // without an exception object
  }

  // Sharing: a second open that the first one's share mode forbids.
  CFile first("T:\\exists.txt", CFile::modeRead | CFile::shareExclusive);
  CFile second;
  CFileException e;
  EXPECT_FALSE(second.Open("T:\\exists.txt", CFile::modeRead | CFile::shareDenyNone, &e));
  EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
  EXPECT_EQ(e.m_lOsError, ERROR_SHARING_VIOLATION);

  // The throwing constructor throws what Open would have filled.
  try {
    CFile thrown("T:\\missing.txt", CFile::modeRead);
    ADD_FAILURE() << "no exception";
  } catch (CFileException* thrown) {
    EXPECT_EQ(thrown->m_cause, CFileException::fileNotFound);
    EXPECT_EQ(thrown->m_lOsError, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(std::string(thrown->m_strFileName), "T:\\missing.txt");
    thrown->Delete();
  }
}

TEST_F(FileTest, ReadWriteSeekLengthAndNames) {
  {
    CFile file("T:\\Data.Bin", CFile::modeCreate | CFile::modeReadWrite);
    EXPECT_EQ(std::string(file.GetFilePath()), "T:\\Data.Bin");
    EXPECT_EQ(std::string(file.GetFileName()), "Data.Bin");
    EXPECT_EQ(std::string(file.GetFileTitle()), "Data");
    file.Write("hello\nworld", 11);  // CFile never translates
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.GetPosition(), 11u);
    file.SeekToBegin();
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, 5), 5u);
    EXPECT_STREQ(buffer, "hello");
    EXPECT_EQ(file.Seek(-3, CFile::end), 8);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 3u);
    EXPECT_EQ(std::string(buffer, 3), "rld");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);  // at the end
    EXPECT_EQ(file.SeekToEnd(), 11u);
    file.SetLength(4);
    EXPECT_EQ(file.GetLength(), 4u);
    file.Flush();
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    file.Abort();  // harmless on a closed file
  }
  EXPECT_EQ(RawRead("T:\\Data.Bin"), "hell");

  // modeNoTruncate keeps the contents; modeCreate alone empties the file.
  { CFile keep("T:\\Data.Bin", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite); }
  EXPECT_EQ(RawRead("T:\\Data.Bin"), "hell");
  { CFile empty("T:\\Data.Bin", CFile::modeCreate | CFile::modeWrite); }
  EXPECT_EQ(RawRead("T:\\Data.Bin"), "");

  // A seek before the start fails with a file exception naming the file.
  CFile file("T:\\Data.Bin", CFile::modeRead);
  try {
    file.Seek(-1, CFile::begin);
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::badSeek);
    EXPECT_EQ(std::string(e->m_strFileName), "T:\\Data.Bin");
    e->Delete();
  }
}

TEST_F(FileTest, FailuresWhileOpenThrowTheMappedCause) {
  RawWrite("T:\\ro.txt", "abc");
  CFile file("T:\\ro.txt", CFile::modeRead);
  try {
    file.Write("x", 1);  // a read-only handle
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::accessDenied);
    EXPECT_EQ(e->m_lOsError, ERROR_ACCESS_DENIED);
    e->Delete();
  }
  sandbox::InjectFileFailure("T:\\ro.txt", "read", ERROR_READ_FAULT);
  char buffer[4];
  try {
    file.Read(buffer, sizeof buffer);
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::badSeek);
    EXPECT_EQ(e->m_lOsError, ERROR_READ_FAULT);
    e->Delete();
  }
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 3u);  // the failure was one call
}

TEST_F(FileTest, RenameAndRemoveThrowOnFailure) {
  RawWrite("T:\\a.txt", "a");
  CFile::Rename("T:\\a.txt", "T:\\b.txt");
  EXPECT_EQ(GetFileAttributes("T:\\a.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RawRead("T:\\b.txt"), "a");
  CFile::Remove("T:\\b.txt");
  EXPECT_EQ(GetFileAttributes("T:\\b.txt"), INVALID_FILE_ATTRIBUTES);
  try {
    CFile::Remove("T:\\b.txt");
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    EXPECT_EQ(std::string(e->m_strFileName), "T:\\b.txt");
    e->Delete();
  }
  try {
    CFile::Rename("T:\\b.txt", "T:\\c.txt");
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    e->Delete();
  }
}

// ---------------------------------------------------------------------------------------------
// CFileStatus

TEST_F(FileTest, StatusReadOnlyBitIsTheOwnerWriteBit) {
  sandbox::SetClock(981173106000LL);
  RawWrite("T:\\status.txt", "12345");
  CFileStatus status;
  ASSERT_TRUE(CFile::GetStatus("t:\\STATUS.TXT", status));  // found case-insensitively
  EXPECT_EQ(status.m_size, 5);
  EXPECT_EQ(status.m_attribute & CFile::readOnly, 0);
  EXPECT_EQ(status.m_attribute & CFile::directory, 0);
  EXPECT_STREQ(status.m_szFullName, "T:\\STATUS.TXT");

  // Taking the owner-write bit away on the host makes the file read-only.
  namespace fs = std::filesystem;
  const fs::path host = sandbox::HostPath("T:\\status.txt");
  fs::permissions(host, fs::perms::owner_write, fs::perm_options::remove);
  ASSERT_TRUE(CFile::GetStatus("T:\\status.txt", status));
  EXPECT_EQ(status.m_attribute & CFile::readOnly, CFile::readOnly);
  {
    CFile open("T:\\status.txt", CFile::modeRead);
    CFileStatus fromHandle;
    ASSERT_TRUE(open.GetStatus(fromHandle));
    EXPECT_EQ(fromHandle.m_attribute & CFile::readOnly, CFile::readOnly);
    EXPECT_EQ(fromHandle.m_size, 5);
    EXPECT_EQ(fromHandle.m_mtime, status.m_mtime);
    EXPECT_STREQ(fromHandle.m_szFullName, "T:\\status.txt");
  }

  // SetStatus: a read-only file is made writable before its times are set, then the wanted
  // attributes (here: writable) stay.
  CFileStatus wanted = status;
  wanted.m_attribute = 0;
  wanted.m_mtime = CTime(2000, 1, 2, 3, 4, 6);
  CFile::SetStatus("T:\\status.txt", wanted);
  ASSERT_TRUE(CFile::GetStatus("T:\\status.txt", status));
  EXPECT_EQ(status.m_attribute & CFile::readOnly, 0);
  EXPECT_EQ(status.m_mtime, wanted.m_mtime);
  EXPECT_TRUE((fs::status(host).permissions() & fs::perms::owner_write) != fs::perms::none);

  // ... and setting read-only clears the owner-write bit again.
  wanted.m_attribute = CFile::readOnly;
  CFile::SetStatus("T:\\status.txt", wanted);
  EXPECT_TRUE((fs::status(host).permissions() & fs::perms::owner_write) == fs::perms::none);
  EXPECT_EQ(GetFileAttributes("T:\\status.txt") & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);

  // A directory, and names that are no file.
  ASSERT_TRUE(CreateDirectory("T:\\sub", NULL));
  ASSERT_TRUE(CFile::GetStatus("T:\\sub", status));
  EXPECT_EQ(status.m_attribute & CFile::directory, CFile::directory);
  EXPECT_FALSE(CFile::GetStatus("T:\\absent.txt", status));
  EXPECT_FALSE(CFile::GetStatus("T:\\*.txt", status));
  try {
    CFile::SetStatus("T:\\absent.txt", wanted);
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    e->Delete();
  }
}

// ---------------------------------------------------------------------------------------------
// CStdioFile

struct ModeCase {
  const char* name;
  UINT typeFlag;
  const char* onDisk;  // what WriteString("a\nb\r\nc\n") leaves
  bool text;
};

// The pinned bytes on disk: the project files the system writes must carry CR LF.
TEST_F(FileTest, StdioModesWriteTheirLineEnds) {
  const ModeCase cases[] = {
      {.name = "typeText", .typeFlag = CFile::typeText, .onDisk = "a\r\nb\r\r\nc\r\n", .text = true},
      {.name = "neither: the run time's default text mode", .typeFlag = 0, .onDisk = "a\r\nb\r\r\nc\r\n",
       .text = true},
      {.name = "typeBinary", .typeFlag = CFile::typeBinary, .onDisk = "a\nb\r\nc\n", .text = false},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    {
      CStdioFile file("T:\\lines.txt", CFile::modeCreate | CFile::modeWrite | c.typeFlag);
      file.WriteString("a\nb\r\nc\n");
      EXPECT_EQ(file.GetPosition(), std::string(c.onDisk).size());  // positions count bytes on disk
    }
    EXPECT_EQ(RawRead("T:\\lines.txt"), c.onDisk);

    CStdioFile file("T:\\lines.txt", CFile::modeRead | c.typeFlag);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(std::string(line), "a");
    ASSERT_TRUE(file.ReadString(line));
    // Text mode turns the CR LF into "\n" (the stray CR stays); binary keeps the CR.
    EXPECT_EQ(std::string(line), c.text ? "b\r" : "b\r");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(std::string(line), "c");
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
  }
}

struct ReadCase {
  const char* name;
  std::string onDisk;
  std::vector<std::string> lines;  // ReadString(CString&) in text mode until FALSE
};

TEST_F(FileTest, StdioReadStringEdgeCases) {
  const ReadCase cases[] = {
      {.name = "last line without line end", .onDisk = "one\r\ntwo", .lines = {"one", "two"}},
      {.name = "empty lines", .onDisk = "\r\n\r\nx\r\n\r\n", .lines = {"", "", "x", ""}},
      {.name = "lone CR stays", .onDisk = "a\rb\r\nc\r", .lines = {"a\rb", "c\r"}},
      {.name = "LF only", .onDisk = "a\nb\n", .lines = {"a", "b"}},
      {.name = "CR CR LF", .onDisk = "a\r\r\nb", .lines = {"a\r", "b"}},
      {.name = "Ctrl-Z ends the text", .onDisk = "a\r\nb\x1a" "c\r\nd\r\n", .lines = {"a", "b"}},
      {.name = "empty file", .onDisk = "", .lines = {}},
      {.name = "only a line end", .onDisk = "\r\n", .lines = {""}},
      {.name = "long line", .onDisk = std::string(70000, 'x') + "\r\nend", .lines = {std::string(70000, 'x'), "end"}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    RawWrite("T:\\read.txt", c.onDisk);
    CStdioFile file("T:\\read.txt", CFile::modeRead | CFile::typeText);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line) && lines.size() < 10) lines.emplace_back(line, line.GetLength());
    EXPECT_EQ(lines, c.lines);
  }
}

// The CR of a CR LF pair may fall on the last byte of a buffer-full; the pair must still be one
// "\n", and the read position must stay right across the seam.
TEST_F(FileTest, StdioCrLfAcrossTheReadBufferSeam) {
  for (size_t first : {size_t(65535), size_t(65534), size_t(65536), size_t(131071)}) {
    SCOPED_TRACE(first);
    const std::string head(first - 1, 'h');
    RawWrite("T:\\seam.txt", head + "\r\nnext\r\n");
    CStdioFile file("T:\\seam.txt", CFile::modeRead);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line.GetLength(), static_cast<int>(head.size()));
    EXPECT_EQ(file.GetPosition(), first + 1);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(std::string(line), "next");
    EXPECT_FALSE(file.ReadString(line));
  }
}

TEST_F(FileTest, StdioReadStringIntoABufferKeepsTheLineEnd) {
  RawWrite("T:\\buf.txt", "abcdef\r\ngh");
  CStdioFile file("T:\\buf.txt", CFile::modeRead);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(file.ReadString(buffer, 4), buffer);  // at most nMax - 1 bytes
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(file.ReadString(buffer, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "def\n");
  EXPECT_EQ(file.ReadString(buffer, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "gh");
  EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
}

TEST_F(FileTest, StdioReadWriteSeekStayConsistentWithTheBuffer) {
  CStdioFile file("T:\\mixed.txt", CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone | CFile::typeText);
  file.WriteString("line1\nline2\n");
  EXPECT_EQ(file.GetPosition(), 14u);
  EXPECT_EQ(file.GetLength(), 14u);  // pending bytes count
  file.SeekToBegin();
  CString line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(std::string(line), "line1");
  const DWORD afterFirst = file.GetPosition();
  EXPECT_EQ(afterFirst, 7u);
  // Writing after reading goes where the reading stopped, not where the read-ahead did.
  file.WriteString("LINE2\n");
  EXPECT_EQ(file.GetPosition(), 14u);
  file.Seek(static_cast<LONG>(afterFirst), CFile::begin);
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(std::string(line), "LINE2");
  file.Seek(-7, CFile::current);
  char bytes[16] = {};
  EXPECT_EQ(file.Read(bytes, sizeof bytes - 1), 6u);  // text mode: CR LF read as "\n"
  EXPECT_STREQ(bytes, "LINE2\n");
  file.SeekToEnd();
  file.Write("tail\n", 5);
  file.Flush();
  EXPECT_EQ(RawRead("T:\\mixed.txt"), "line1\r\nLINE2\r\ntail\r\n");
  file.SetLength(7);
  EXPECT_EQ(file.GetLength(), 7u);
  file.Close();
  EXPECT_EQ(RawRead("T:\\mixed.txt"), "line1\r\n");

  // Binary mode passes every byte.
  CStdioFile binary("T:\\bytes.bin", CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary);
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  binary.Write(all.data(), static_cast<UINT>(all.size()));
  binary.SeekToBegin();
  std::string back(256, '\0');
  EXPECT_EQ(binary.Read(back.data(), 256), 256u);
  EXPECT_EQ(back, all);
  // A read larger than the buffer, then a write that has to go after it.
  const std::string big(200000, 'z');
  binary.SeekToBegin();
  binary.Write(big.data(), static_cast<UINT>(big.size()));
  binary.SeekToBegin();
  std::string bigBack(big.size() + 10, '\0');
  EXPECT_EQ(binary.Read(bigBack.data(), static_cast<UINT>(bigBack.size())), big.size());
  EXPECT_EQ(bigBack.substr(0, big.size()), big);
}

TEST_F(FileTest, StdioPendingBytesAreWrittenOnDestructionAndRefusedOnAReadOnlyFile) {
  {
    CStdioFile file("T:\\pending.txt", CFile::modeCreate | CFile::modeWrite);
    file.WriteString("kept\n");
  }
  EXPECT_EQ(RawRead("T:\\pending.txt"), "kept\r\n");

  CStdioFile file("T:\\pending.txt", CFile::modeRead | CFile::shareDenyNone);
  try {
    file.WriteString("x");
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::accessDenied);
    e->Delete();
  }
  try {
    file.LockRange(0, 1);
    ADD_FAILURE() << "no exception";
  } catch (CNotSupportedException* e) {
    e->Delete();
  }
  EXPECT_EQ(RawRead("T:\\pending.txt"), "kept\r\n");
}

TEST_F(FileTest, StdioWriteFailureAtFlushIsAFileException) {
  CStdioFile file("T:\\fail.txt", CFile::modeCreate | CFile::modeWrite);
  file.WriteString("data\n");
  sandbox::InjectFileFailure("T:\\fail.txt", "write", ERROR_DISK_FULL);
  try {
    file.Flush();
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::diskFull);
    EXPECT_EQ(e->m_lOsError, ERROR_DISK_FULL);
    EXPECT_EQ(std::string(e->m_strFileName), "T:\\fail.txt");
    e->Delete();
  }
  file.Close();  // the failed bytes are not written a second time
  EXPECT_EQ(RawRead("T:\\fail.txt"), "");
}

// ---------------------------------------------------------------------------------------------
// CFileFind

TEST_F(FileTest, FindInKernelOrderWithTheLastEntryStillValid) {
  RawWrite("T:\\b.txt", "bb");
  RawWrite("T:\\A.txt", "a");
  RawWrite("T:\\c.dat", "ccc");
  ASSERT_TRUE(CreateDirectory("T:\\Dir", NULL));
  RawWrite("T:\\Dir\\inner.txt", "");
  ASSERT_TRUE(SetFileAttributes("T:\\b.txt", FILE_ATTRIBUTE_READONLY));

  CFileFind find;
  ASSERT_TRUE(find.FindFile("T:\\*.TXT"));
  std::vector<std::string> names;
  BOOL more = TRUE;
  while (more) {
    more = find.FindNextFile();
    names.emplace_back(find.GetFileName());
    if (names.back() == "b.txt") {
      EXPECT_TRUE(find.IsReadOnly());
      EXPECT_EQ(find.GetLength(), 2u);
      EXPECT_EQ(std::string(find.GetFilePath()), "T:\\b.txt");
      EXPECT_EQ(std::string(find.GetFileTitle()), "b");
      EXPECT_EQ(std::string(find.GetRoot()), "T:");
      EXPECT_EQ(std::string(find.GetFileURL()), "file://T:\\b.txt");
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A.txt", "b.txt"}));
  EXPECT_EQ(std::string(find.GetFileName()), "b.txt");  // the last one stays current
  EXPECT_FALSE(find.FindNextFile());
  find.Close();

  // A sub-folder lists its dots first; the default pattern is "*.*".
  ASSERT_TRUE(SetCurrentDirectory("T:\\Dir"));
  ASSERT_TRUE(find.FindFile());
  names.clear();
  for (more = TRUE; more;) {
    more = find.FindNextFile();
    names.emplace_back(find.GetFileName());
    EXPECT_EQ(find.IsDots(), names.back() == "." || names.back() == "..");
    EXPECT_EQ(find.IsDirectory() != FALSE, names.back() != "inner.txt");
  }
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "inner.txt"}));
  EXPECT_EQ(std::string(find.GetRoot()), "T:\\Dir");
  EXPECT_EQ(std::string(find.GetFilePath()), "T:\\Dir\\inner.txt");

  CTime written;
  EXPECT_TRUE(find.GetLastWriteTime(written));
  FILETIME ft;
  EXPECT_TRUE(find.GetLastWriteTime(&ft));
  EXPECT_EQ(CTime(ft), written);
  EXPECT_TRUE(find.MatchesMask(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL));
}

void NextWithoutFindFile() {
  CFileFind unused;
  EXPECT_FALSE(unused.FindNextFile());
}

TEST_F(FileTest, FindWithoutAMatchFails) {
  CFileFind find;
  SetLastError(0xdeadbeef);
  EXPECT_FALSE(find.FindFile("T:\\*.none"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(find.FindFile("T:\\nofolder\\*.*"));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_ASSERTION(NextWithoutFindFile(), "Assertion failed");
}

}  // namespace
