#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TqFile.h"
#include "resource.h"
#include "sandbox/sandbox.h"

using namespace TQ;

namespace {

class FileTest : public testing::Test {
 protected:
  void SetUp() override { host_ = sandbox::MapTempDrive('T'); }

  std::string HostBytes(const std::string& windowsPath) {
    std::ifstream in(sandbox::HostPath(windowsPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  void WriteHost(const std::string& windowsPath, const std::string& bytes) {
    std::ofstream out(host_ + "/" + windowsPath, std::ios::binary);
    out << bytes;
  }

  std::string host_;
};

// Runs `body`, which must throw a CFileException, and returns it (caller deletes).
template <typename Body>
CFileException* ThrownFileException(Body body) {
  try {
    body();
  } catch (CFileException* e) {
    return e;
  }
  ADD_FAILURE() << "no CFileException";
  return nullptr;
}

TEST(Path, JoinsWithExactlyOneBackslash) {
  struct Row {
    const char* start;
    const char* part;
    const char* expected;
  } rows[] = {
      {.start = "C:\\Sablewing\\", .part = "", .expected = "C:\\Sablewing"},
      {.start = "C:\\Sablewing", .part = "\\\\Components", .expected = "C:\\Sablewing\\Components"},
      {.start = "C:\\Sablewing", .part = "Components\\\\", .expected = "C:\\Sablewing\\Components"},
      {.start = "", .part = "Components", .expected = "Components"},
      {.start = "", .part = "\\Components", .expected = "Components"},
      {.start = "\\\\server\\share", .part = "instr", .expected = "\\\\server\\share\\instr"},
      {.start = "", .part = "\\\\server\\share\\", .expected = "\\\\server\\share"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.start) + " + " + row.part);
    CPath path{CString(row.start)};
    path.Append(row.part);
    EXPECT_STREQ(path.GetString(), row.expected);
  }
  CPath left("C:\\a\\"), right("\\b");
  EXPECT_STREQ((left + right).GetString(), "C:\\a\\b");
  EXPECT_STREQ(left.GetString(), "C:\\a") << "operator+ leaves the left path alone";
  left += right;
  EXPECT_STREQ(left.GetString(), "C:\\a\\b");
  CPath empty;
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(Path, TrailByteBackslashIsNotStripped) {
  sandbox::SetCodePage(932);
  // 0x95 0x5C is one character whose trail byte is the backslash byte.
  CPath path(CString("C:\\\x95\x5C"));
  EXPECT_STREQ(path.GetString(), "C:\\\x95\x5C");
  CString text = "C:\\\x95\x5C";
  StripTrailingBackslash(text);
  EXPECT_STREQ(text, "C:\\\x95\x5C");
  text = "C:\\\x95\x5C\\";
  StripTrailingBackslash(text);
  EXPECT_STREQ(text, "C:\\\x95\x5C");
  EXPECT_EQ(GetMbcsChar("\x95\x5C"), 0x955Cu);
  EXPECT_EQ(GetMbcsChar("A"), static_cast<UINT>('A'));
}

TEST_F(FileTest, CreateDirectoryTreeMakesMissingLevels) {
  ASSERT_TRUE(CreateDirectory("T:\\one", NULL));
  CreateDirectoryTree("T:\\one\\two\\three\\");
  EXPECT_EQ(GetFileAttributes("T:\\one\\two\\three"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  CreateDirectoryTree("T:\\one\\two\\three");  // existing: no change, no failure
  EXPECT_TRUE(FileExists("T:\\one\\two\\"));
}

// In code page 932 the folder name "data" + U+8868 ends in the trail byte 0x5C: its parent is
// found by character, so no stray folder is made from the lead byte.
TEST_F(FileTest, CreateDirectoryTreeFindsParentsByCharacter) {
  sandbox::SetCodePage(932);
  CreateDirectoryTree("T:\\data\x95\x5C\\sub\\leaf");
  EXPECT_EQ(GetFileAttributes("T:\\data\x95\x5C\\sub\\leaf"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  std::vector<std::string> made;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(host_))
    made.push_back(entry.path().lexically_relative(host_).string());
  std::sort(made.begin(), made.end());
  EXPECT_EQ(made, (std::vector<std::string>{"data\u8868", "data\u8868/sub", "data\u8868/sub/leaf"}));
}

TEST_F(FileTest, CreateDirectoryTreeFailsWhereAFileStands) {
  WriteHost("taken", "x");
  CFileException* e = ThrownFileException([] { CreateDirectoryTree("T:\\taken"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->m_cause, CFileException::badPath);
  EXPECT_EQ(e->m_lOsError, ERROR_ALREADY_EXISTS);
  e->Delete();
  e = ThrownFileException([] { CreateDirectoryTree("Q:\\nowhere\\deep"); });  // no such drive
  ASSERT_TRUE(e);
  EXPECT_EQ(e->m_cause, CFileException::badPath);
  e->Delete();
}

TEST_F(FileTest, TextModeWritesTheTextBinaryModeAddsTheNul) {
  {
    CTqFile file;
    ASSERT_TRUE(file.Open("T:\\text.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file << CString("line") << TQ::endl << 'x';
    file.Close();
  }
  EXPECT_EQ(HostBytes("T:\\text.txt"), "line\r\nx");
  {
    CTqFile file;
    ASSERT_TRUE(file.Open("T:\\data.bin", CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    file << CString("ab") << 'c';
    file.Close();
  }
  EXPECT_EQ(HostBytes("T:\\data.bin"), std::string("ab\0c", 4));
}

TEST_F(FileTest, StatusOfAnOpenFile) {
  WriteHost("status.txt", "12345");
  CTqFile file;
  ASSERT_TRUE(file.Open("T:\\status.txt", CFile::modeRead));
  EXPECT_EQ(file.GetSize(), 5u);
  EXPECT_FALSE(file.IsReadOnly());
  file.Close();
}

TEST_F(FileTest, StatusHelpers) {
  WriteHost("a.txt", "abc");
  EXPECT_TRUE(FileExists("T:\\A.TXT")) << "names are found whatever their case";
  EXPECT_FALSE(FileExists("T:\\missing.txt"));
  EXPECT_EQ(GetFileSize("T:\\a.txt"), 3u);
  EXPECT_FALSE(IsFileReadOnly("T:\\a.txt"));
  ASSERT_TRUE(SetFileAttributes("T:\\a.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(IsFileReadOnly("T:\\a.txt"));
  const CTime when(2001, 5, 17, 10, 30, 0);
  ASSERT_TRUE(SetFileAttributes("T:\\a.txt", FILE_ATTRIBUTE_NORMAL));
  SetFileModificationTime("T:\\a.txt", when);
  EXPECT_EQ(GetFileModificationTime("T:\\a.txt").GetTime(), when.GetTime());
  CFileException* e = ThrownFileException([] { GetFileSize("T:\\missing.txt"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
  EXPECT_STREQ(e->m_strFileName, "T:\\missing.txt");
  e->Delete();
}

TEST_F(FileTest, CopyFileOrThrow) {
  WriteHost("source.txt", "new");
  WriteHost("target.txt", "old");
  CFileException* e = ThrownFileException([] { CopyFileOrThrow("T:\\source.txt", "T:\\target.txt", false); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->m_cause, CFileException::generic);
  EXPECT_EQ(e->m_lOsError, ERROR_FILE_EXISTS);
  EXPECT_STREQ(e->m_strFileName, "T:\\source.txt");
  e->Delete();
  EXPECT_EQ(HostBytes("T:\\target.txt"), "old");
  CopyFileOrThrow("T:\\source.txt", "T:\\target.txt", true);
  EXPECT_EQ(HostBytes("T:\\target.txt"), "new");
}

TEST_F(FileTest, ReadTextFileAppendsLinesEachWithANewline) {
  WriteHost("lines.txt", "one\r\ntwo\r\n\r\nlast");
  CString text = "kept:";
  ReadTextFile("T:\\lines.txt", text);
  EXPECT_STREQ(text, "kept:one\ntwo\n\nlast\n");
  ReadTextFile("T:\\missing.txt", text);
  EXPECT_STREQ(text, "kept:one\ntwo\n\nlast\n");
}

TEST(FileHelpers, SplitAndMakePath) {
  CString drive, dir, name, ext;
  SplitPath("C:\\Program Files\\Sablewing\\Tq.Controls.dsp", drive, dir, name, ext);
  EXPECT_STREQ(drive, "C:");
  EXPECT_STREQ(dir, "\\Program Files\\Sablewing\\");
  EXPECT_STREQ(name, "Tq.Controls");
  EXPECT_STREQ(ext, ".dsp");
  EXPECT_STREQ(MakePath("C", "\\work", "project", "dsw"), "C:\\work\\project.dsw");
}

TEST_F(FileTest, CurrentDirectory) {
  ASSERT_TRUE(SetCurrentDirectory("T:\\"));
  EXPECT_STREQ(GetCurrentDirectoryString(), "T:\\");
}

TEST(FileHelpers, LoadStringResource) {
  EXPECT_STREQ(LoadStringResource(IDS_GREETING), "Components could not be loaded.");
  EXPECT_STREQ(LoadStringResource(IDS_EMPTY_LOOKING), "");
}

}  // namespace
