// The workspace model, reader and writer: round trips, the Global section's Package=<3> block,
// the lines the writer rebuilds, and every refusal with the file left as it was.
#include <gtest/gtest.h>

#include "dsp/DspExceptions.h"
#include "dsw/DswEntries.h"
#include "dsw/DswFileBuilder.h"
#include "editor_test_support.h"

using namespace projectfiles_test;

namespace {

class DswFileTest : public DriveTest {
 protected:
  void Read(const std::string& windowsPath) {
    CDswFileBuilder builder(windowsPath.c_str());
    builder.Build(file_);
  }

  // Writes the model in text mode and returns the bytes on disk.
  std::string Written() {
    {
      CStdioFile out("T:\\written.dsw", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
      file_.Write(out);
      out.Close();
    }
    return DiskBytes("T:\\written.dsw");
  }

  const CDswControlGUIDEntry& Guid(int i) {
    return *dynamic_cast<const CDswControlGUIDEntry*>(file_.GetGlobalSection()->GetPackage()->GetAt(i));
  }

  CDswFile file_;
};

TEST_F(DswFileTest, WellFormedWorkspacesComeBackByteForByte) {
  for (const char* name : {"MeterDll.dsw", "Instruments.dsw", "dsw_edge_cases.dsw"}) {
    SCOPED_TRACE(name);
    Read(CopyFixture(name));
    EXPECT_EQ(Written(), FixtureBytes(name));
  }
}

TEST_F(DswFileTest, ControlGuidLinesKeepWhiteSpaceAndTextAroundTheGuid) {
  Read(CopyFixture("dsw_edge_cases.dsw"));
  ASSERT_NE(file_.GetGlobalSection(), nullptr);
  ASSERT_NE(file_.GetGlobalSection()->GetPackage(), nullptr);
  ASSERT_EQ(file_.GetGlobalSection()->GetPackage()->GetCount(), 3);
  struct Row {
    int index;
    const char* leading;
    const char* guid;
    const char* rest;
  } rows[] = {
      {.index = 0, .leading = "\t", .guid = "{3F2A77C0-91D4-4E0B-A6C3-7B58E1D0F924}", .rest = "   "},
      {.index = 1, .leading = "  ", .guid = "{B7E40D19-2C6A-4F83-9E17-0A4D5C3B8F61}", .rest = "\tVellacott Gauge  "},
      {.index = 2, .leading = "", .guid = "", .rest = ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    EXPECT_STREQ(Guid(row.index).GetLeadingSpace(), row.leading);
    EXPECT_STREQ(Guid(row.index).GetGuid(), row.guid);
    EXPECT_STREQ(Guid(row.index).GetRest(), row.rest);
  }
}

// The Package=<3> block before "Global:" is no control block: only the one inside counts.
TEST_F(DswFileTest, OnlyThePackageInsideTheGlobalSectionIsTheControlBlock) {
  Read(CopyFixture("dsw_edge_cases.dsw"));
  EXPECT_EQ(Guid(0).GetGuid(), CString("{3F2A77C0-91D4-4E0B-A6C3-7B58E1D0F924}"));
  int packages = 0;
  for (int i = 0; i < file_.GetCount(); ++i)
    if (dynamic_cast<const CDswControlGUIDPackage*>(file_.GetAt(i)) != nullptr) ++packages;
  EXPECT_EQ(packages, 0);
}

TEST_F(DswFileTest, SeparatorOfFortyHashesEndsTheGlobalSectionThirtyNineDoNot) {
  const std::string hashes39(39, '#'), hashes40(40, '#');
  WriteDisk("ws.dsw", "Global:\r\n" + hashes39 + "\r\nPackage=<3>\r\n{{{\r\n    {A}\r\n}}}\r\n" + hashes40 +
                          "\r\nPackage=<3>\r\n{{{\r\n    {B}\r\n}}}\r\n");
  Read("T:\\ws.dsw");
  const CDswGlobalSection& global = *file_.GetGlobalSection();
  ASSERT_EQ(global.GetCount(), 4);  // "Global:", 39 hashes, the package, 40 hashes
  EXPECT_STREQ(dynamic_cast<const CDswFileUnknownEntry&>(*global.GetAt(1)).GetLine(), hashes39.c_str());
  EXPECT_STREQ(dynamic_cast<const CDswFileUnknownEntry&>(*global.GetAt(-1)).GetLine(), hashes40.c_str());
  EXPECT_EQ(Guid(0).GetGuid(), CString("{A}"));
  // The block after the section stays verbatim lines of the file.
  EXPECT_EQ(file_.GetCount(), 5);
}

// Documented rewrites: the block's three lines are the package's own, so trailing blanks on them
// and an opening line other than "{{{" are not kept; a file with LF line ends comes back CR LF.
TEST_F(DswFileTest, ControlBlockLinesAreRebuiltAndLineEndsBecomeCrLf) {
  struct Row {
    const char* name;
    std::string input;
    std::string expected;
  } rows[] = {
      {.name = "trailing blanks on the block lines",
       .input = "Global:\r\nPackage=<3>  \r\n{{{ \r\n    {A}\r\n}}}\t\r\n",
       .expected = "Global:\r\nPackage=<3>\r\n{{{\r\n    {A}\r\n}}}\r\n"},
      {.name = "opening line of another form",
       .input = "Global:\r\nPackage=<3>\r\n{{\r\n}}}\r\n",
       .expected = "Global:\r\nPackage=<3>\r\n{{{\r\n}}}\r\n"},
      {.name = "LF line ends",
       .input = "Global:\n\nPackage=<3>\n{{{\n    {A}\n}}}\n\n",
       .expected = "Global:\r\n\r\nPackage=<3>\r\n{{{\r\n    {A}\r\n}}}\r\n\r\n"},
      {.name = "Global: with trailing blanks keeps them",
       .input = "Global:  \r\nPackage=<3>\r\n{{{\r\n}}}\r\n",
       .expected = "Global:  \r\nPackage=<3>\r\n{{{\r\n}}}\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WriteDisk("ws.dsw", row.input);
    Read("T:\\ws.dsw");
    EXPECT_EQ(Written(), row.expected);
  }
}

TEST_F(DswFileTest, MalformedWorkspacesAreRefusedAndLeftUntouched) {
  struct Row {
    const char* fixture;
    const char* message;
  } rows[] = {
      {.fixture = "dsw_refuse_empty.dsw", .message = "Invalid DSW configuration."},
      {.fixture = "dsw_refuse_no_global.dsw", .message = "Invalid DSW configuration."},
      {.fixture = "dsw_refuse_no_package3.dsw", .message = "Invalid DSW configuration."},
      {.fixture = "dsw_refuse_eof_after_global.dsw", .message = "Read file failed."},
      {.fixture = "dsw_refuse_eof_after_package.dsw", .message = "Read file failed."},
      {.fixture = "dsw_refuse_eof_in_package.dsw", .message = "Read file failed."},
      {.fixture = "dsw_refuse_nul.dsw", .message = "T:\\dsw_refuse_nul.dsw holds a NUL character: it is not a text file."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fixture);
    const std::string path = CopyFixture(row.fixture);
    EXPECT_EQ(ThrownMessage<TQ::CAppWizException>([&] { Read(path); }), row.message);
    EXPECT_EQ(DiskBytes(path), FixtureBytes(row.fixture));
    EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
  }
}

TEST_F(DswFileTest, MissingWorkspaceThrowsTheOpenFailure) {
  EXPECT_EQ(ThrownFileCause([&] { Read("T:\\absent.dsw"); }), CFileException::fileNotFound);
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(DswFileTest, ReadingAgainStartsFromAnEmptyModel) {
  Read(CopyFixture("MeterDll.dsw"));
  const int count = file_.GetCount();
  Read(CopyFixture("MeterDll.dsw"));
  EXPECT_EQ(file_.GetCount(), count);
  EXPECT_EQ(Written(), FixtureBytes("MeterDll.dsw"));
}

TEST(DswContainer, IndexesOutsideTheListThrowAndARefusedEntryIsDeleted) {
  CDswFile file;
  EXPECT_FALSE(ThrownMessage<TQ::CTqIndexException>([&] { file.GetAt(-1); }).empty());
  (new CDswFileUnknownEntry("a"))->InsertInto(file, -1);
  (new CDswFileUnknownEntry("c"))->InsertInto(file, 1);
  (new CDswFileUnknownEntry("b"))->InsertInto(file, 1);
  EXPECT_EQ(ThrownMessage<TQ::CTqIndexException>([&] { file.GetAt(3); }),
            "Specified index: 3 is out of range. Valid range is 0 to 2");
  EXPECT_FALSE(ThrownMessage<TQ::CTqIndexException>([&] { file.GetAt(-2); }).empty());
  // The leak checker of the sanitizer build sees it if the refused entry is not deleted.
  EXPECT_FALSE(ThrownMessage<TQ::CTqIndexException>([&] { (new CDswFileUnknownEntry("x"))->InsertInto(file, 5); })
                   .empty());
  ASSERT_EQ(file.GetCount(), 3);
  EXPECT_STREQ(dynamic_cast<const CDswFileUnknownEntry*>(file.GetAt(0))->GetLine(), "a");
  EXPECT_STREQ(dynamic_cast<const CDswFileUnknownEntry*>(file.GetAt(1))->GetLine(), "b");
  EXPECT_STREQ(dynamic_cast<const CDswFileUnknownEntry*>(file.GetAt(-1))->GetLine(), "c");

  CDswFileUnknownEntry stranger("not a child");
  file.Delete(&stranger);
  EXPECT_EQ(file.GetCount(), 3);
  file.Delete(file.GetAt(1));
  EXPECT_EQ(file.GetCount(), 2);
}

TEST(DswContainer, DeletingTheRememberedSectionOrPackageForgetsIt) {
  CDswFile file;
  auto* section = new CDswGlobalSection;
  section->InsertInto(file, -1);
  auto* package = new CDswControlGUIDPackage;
  package->InsertInto(*section, -1);
  EXPECT_EQ(section->GetPackage(), package);
  section->Delete(package);
  EXPECT_EQ(section->GetPackage(), nullptr);
  EXPECT_EQ(file.GetGlobalSection(), section);
  file.Delete(section);
  EXPECT_EQ(file.GetGlobalSection(), nullptr);
}

}  // namespace
