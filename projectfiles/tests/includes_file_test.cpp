// The includes header: the text written for each shape of list, reading it back, and what the
// reader takes from a header a user has edited.
#include <gtest/gtest.h>

#include <vector>

#include "dsp/DspExceptions.h"
#include "editor_test_support.h"
#include "editors/IncludesFileEditor.h"
#include "includes/IncludesFileBuilder.h"

using namespace projectfiles_test;

namespace {

std::vector<std::string> Headers(const CIncludesFile& file) {
  std::vector<std::string> names;
  for (int i = 0; i < file.GetHeaderCount(); ++i) names.push_back(static_cast<LPCTSTR>(file.GetHeader(i)));
  return names;
}

std::vector<std::string> Namespaces(const CIncludesFile& file) {
  std::vector<std::string> names;
  for (int i = 0; i < file.GetNamespaceCount(); ++i) names.push_back(static_cast<LPCTSTR>(file.GetNamespace(i)));
  return names;
}

class IncludesFileTest : public DriveTest {
 protected:
  std::string Written(const CIncludesFile& file) {
    {
      CStdioFile out("T:\\TqIncludes.h", CFile::modeCreate | CFile::modeWrite | CFile::typeText);
      file.Write(out);
      out.Close();
    }
    return DiskBytes("T:\\TqIncludes.h");
  }
};

TEST_F(IncludesFileTest, WritesTheGoldenTextForEachShapeOfList) {
  struct Row {
    const char* golden;
    std::vector<const char*> headers;
    std::vector<const char*> namespaces;
  } rows[] = {
      {.golden = "includes_empty.h", .headers = {}, .namespaces = {}},
      {.golden = "includes_headers_only.h", .headers = {"TqMeter.h"}, .namespaces = {}},
      {.golden = "includes_namespaces_only.h", .headers = {}, .namespaces = {"TqMeter"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.golden);
    CIncludesFile file;
    for (const char* h : row.headers) file.AddHeader(h);
    for (const char* n : row.namespaces) file.AddNamespace(n);
    EXPECT_EQ(Written(file), GoldenBytes(row.golden));
  }
  CIncludesFile both;
  both.AddHeader("TqMeter.h");
  both.AddHeader("TqScope.h");
  both.AddNamespace("TqMeter");
  both.AddNamespace("TqScope");
  EXPECT_EQ(Written(both), FixtureBytes("TqIncludes.h"));
}

TEST_F(IncludesFileTest, ReadingAWrittenHeaderGivesBackTheListsInOrder) {
  CIncludesFile file;
  CIncludesFileBuilder(CopyFixture("TqIncludes.h").c_str()).Build(file);
  EXPECT_EQ(Headers(file), (std::vector<std::string>{"TqMeter.h", "TqScope.h"}));
  EXPECT_EQ(Namespaces(file), (std::vector<std::string>{"TqMeter", "TqScope"}));
  EXPECT_EQ(Written(file), FixtureBytes("TqIncludes.h"));
}

// Any line holding "#include" counts, wherever it stands and whoever wrote it, a commented-out
// one too; brackets stay, quotes, semicolons and surrounding blanks go. "#  include" is no match.
TEST_F(IncludesFileTest, EveryIncludeAndUsingLineOfAUserEditedHeaderCounts) {
  CIncludesFile file;
  CIncludesFileBuilder(CopyFixture("includes_user_edited.h").c_str()).Build(file);
  EXPECT_EQ(Headers(file), (std::vector<std::string>{"TqMeter.h", "<TqAnalysis.h>", "// Disabled.h"}));
  EXPECT_EQ(Namespaces(file), (std::vector<std::string>{"TqMeter", "TqAnalysis"}));
}

TEST_F(IncludesFileTest, BuildAppendsAndAMissingFileChangesNothing) {
  CIncludesFile file;
  file.AddHeader("Kept.h");
  CIncludesFileBuilder("T:\\absent\\TqIncludes.h").Build(file);
  EXPECT_EQ(Headers(file), (std::vector<std::string>{"Kept.h"}));
  CIncludesFileBuilder(CopyFixture("TqIncludes.h").c_str()).Build(file);
  EXPECT_EQ(Headers(file), (std::vector<std::string>{"Kept.h", "TqMeter.h", "TqScope.h"}));
}

TEST_F(IncludesFileTest, AnUnreadableHeaderThrowsItsOpenFailure) {
  const std::string path = CopyFixture("TqIncludes.h");
  sandbox::InjectFileFailure(path, "open", ERROR_SHARING_VIOLATION);
  CIncludesFile file;
  EXPECT_EQ(ThrownFileCause([&] { CIncludesFileBuilder(path.c_str()).Build(file); }),
            CFileException::sharingViolation);
  EXPECT_EQ(file.GetHeaderCount(), 0);
  EXPECT_EQ(DiskBytes(path), FixtureBytes("TqIncludes.h"));
}

TEST_F(IncludesFileTest, AHeaderHoldingANulIsRefused) {
  const std::string path = CopyFixture("includes_refuse_nul.h");
  CIncludesFile file;
  EXPECT_EQ(ThrownMessage<TQ::CAppWizException>([&] { CIncludesFileBuilder(path.c_str()).Build(file); }),
            "T:\\includes_refuse_nul.h holds a NUL character: it is not a text file.");
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

// Code page 932: a lead byte before a quote, a semicolon, the marker or the line end has no trail
// byte there and stands alone, so every search of the line sees the quote, semicolon or marker
// after it; the names read back the same after they are written again.
TEST_F(IncludesFileTest, ALeadByteWithoutItsTrailByteHidesNothingFromTheSearches) {
  sandbox::SetCodePage(932);
  WriteDisk("TqIncludes.h",
            "#include \"Ab\x81\"\r\n"             // lead byte before the closing quote
            "\x81#include \"Cd.h\"\r\n"           // before the marker
            "#include \"\x83\x5C.h\"\r\n"        // a whole character whose trail byte is '\\'
            "using namespace Ns\x81;\r\n"          // before the semicolon
            "using namespace Ef \x81\r\n");        // at the end of the line
  CIncludesFile file;
  CIncludesFileBuilder("T:\\TqIncludes.h").Build(file);
  const std::vector<std::string> headers{"Ab\x81", "\x81 Cd.h", "\x83\x5C.h"};
  const std::vector<std::string> namespaces{"Ns\x81", "Ef \x81"};
  EXPECT_EQ(Headers(file), headers);
  EXPECT_EQ(Namespaces(file), namespaces);
  Written(file);
  CIncludesFile again;
  CIncludesFileBuilder("T:\\TqIncludes.h").Build(again);
  EXPECT_EQ(Headers(again), headers);
  EXPECT_EQ(Namespaces(again), namespaces);
}

// A name the header cannot hold would come back as another name, or as none, when the header is
// read: it is refused before anything is written.
TEST_F(IncludesFileTest, ANameThatWouldNotReadBackIsRefused) {
  struct Row {
    const char* name;
    bool header;
  } const rows[] = {
      {.name = "Tq\"Meter.h", .header = true},        {.name = " TqMeter.h", .header = true},
      {.name = "#include Tq.h", .header = true},       {.name = "Tq\nMeter.h", .header = true},
      {.name = "TqMeter;Scope", .header = false},      {.name = "#include", .header = false},
      {.name = "using namespace Tq", .header = false}, {.name = "Tq\x1AMeter", .header = false},
  };
  const std::string path = CopyFixture("TqIncludes.h");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CIncludesFileEditor editor;
    editor.Open(path.c_str());
    if (row.header)
      editor.AddHeader(row.name);
    else
      editor.AddNamespace(row.name);
    EXPECT_NE(ThrownMessage<TQ::CAppWizException>([&] { editor.Save(); }).find("would not read back as written"),
              std::string::npos);
    EXPECT_EQ(DiskBytes(path), FixtureBytes("TqIncludes.h"));
  }
}

TEST(IncludesFile, RemoveTakesTheFirstEqualNameAndIndexesAreChecked) {
  CIncludesFile file;
  file.AddHeader("A.h");
  file.AddHeader("B.h");
  file.AddHeader("A.h");
  file.RemoveHeader("a.h");  // comparisons are case-sensitive
  file.RemoveHeader("A.h");
  EXPECT_EQ(Headers(file), (std::vector<std::string>{"B.h", "A.h"}));
  EXPECT_EQ(ThrownMessage<TQ::CTqIndexException>([&] { file.GetHeader(2); }),
            "Specified index: 2 is out of range. Valid range is 0 to 1");
  EXPECT_FALSE(ThrownMessage<TQ::CTqIndexException>([&] { file.GetNamespace(-1); }).empty());
  file.Clear();
  EXPECT_EQ(file.GetHeaderCount(), 0);
}

}  // namespace
