// Lines the reader keeps as read (verbatim lines, SOURCE lines, source file blocks without
// settings of their own, compiler arguments): they write as the entries made of them would, the
// entries made of them on first use behave as read ones, and the reader takes lines from the file
// as the file class gives them, whatever their length.
#include <functional>
#include <string>

#include "dsp/DspConfigEntries.h"
#include "dsp/DspExceptions.h"
#include "dsp/DspSimpleEntries.h"
#include "dsp/DspTarget.h"
#include "dsp/DspTargetFile.h"
#include "dsp/DspTargetFolder.h"
#include "dsp_test_support.h"
#include "editors/DspEditor.h"

using namespace projectfiles_test;

namespace {

// A valid project with one configuration whose target holds one group of `groupLines` (each
// ending in CR LF).
std::string Project(const std::string& groupLines) {
  return "# Microsoft Developer Studio Project File - Name=\"K\" - Package Owner=<4>\r\n"
         "!IF  \"$(CFG)\" == \"K - Win32 Debug\"\r\n"
         "# PROP Use_MFC 0\r\n"
         "# ADD CPP /nologo /W3\r\n"
         "# ADD LINK32 k.lib\r\n"
         "!ENDIF \r\n"
         "# Begin Target\r\n"
         "# Begin Group \"G\"\r\n" +
         groupLines +
         "# End Group\r\n"
         "# End Target\r\n";
}

// Makes an entry of every child of the tree, and the settings of every compiler line.
void MakeEveryEntry(CDspFileEntryContainer& container) {
  for (int i = 0; i < container.GetCount(); ++i) {
    CDspFileEntry* child = container.GetAt(i);
    if (auto* inner = dynamic_cast<CDspFileEntryContainer*>(child)) MakeEveryEntry(*inner);
    if (auto* compiler = dynamic_cast<CDspCPPConfigEntry*>(child)) compiler->GetSettingCount();
  }
}

class DspKeptLines : public DspTest {
 protected:
  // The project as written straight after the read; it must equal what the entries made of every
  // kept line write, and read back to itself.
  std::string RoundTrip(const std::string& bytes) {
    WriteDisk("k.dsp", bytes);
    Read("T:\\k.dsp");
    const std::string kept = WrittenBytes();
    Read("T:\\k.dsp");
    MakeEveryEntry(file_);
    MakeEveryEntry(*file_.GetConfiguration(0));
    EXPECT_EQ(WrittenBytes(), kept) << "the entries write otherwise";
    WriteDisk("again.dsp", kept);
    Read("T:\\again.dsp");
    EXPECT_EQ(WrittenBytes(), kept) << "the written file reads back otherwise";
    return kept;
  }
};

TEST_F(DspKeptLines, KeptLinesWriteAsTheirEntries) {
  const std::string usual = "# Begin Source File\r\n\r\nSOURCE=.\\a.cpp\r\n# End Source File\r\n";
  const std::string conditional =
      "!IF  \"$(CFG)\" == \"K - Win32 Debug\"\r\n\r\n# ADD CPP /W4 /D \"X\"\r\n\r\n!ENDIF \r\n\r\n";
  struct Row {
    const char* what;
    std::string group;
    std::string written;  // empty: the group as read
  } rows[] = {
      {.what = "as the IDE writes it", .group = usual + usual, .written = ""},
      {.what = "no empty line",
       .group = "# Begin Source File\r\nSOURCE=.\\b.cpp\r\n# End Source File\r\n",
       .written = ""},
      {.what = "a line before SOURCE",
       .group = "# Begin Source File\r\n\r\n# PROP Exclude_From_Build 1\r\nSOURCE=.\\c.cpp\r\n# End Source File\r\n",
       .written = ""},
      {.what = "settings of its own, twice (shared lines)",
       .group = "# Begin Source File\r\n\r\nSOURCE=.\\d.cpp\r\n" + conditional + "# End Source File\r\n" +
                "# Begin Source File\r\n\r\nSOURCE=.\\e.cpp\r\n" + conditional + "# End Source File\r\n",
       .written = ""},
      {.what = "an end line of its own",
       .group = "# Begin Source File\r\n\r\nSOURCE=.\\f.cpp\r\n# End Source File \r\n",
       .written = ""},
      {.what = "white space between settings",
       .group = "# Begin Source File\r\n\r\nSOURCE=.\\g.cpp\r\n# ADD CPP  /W4\t/D  \"X\"   /c \r\n"
                "# SUBTRACT CPP\r\n# End Source File\r\n",
       .written = "# Begin Source File\r\n\r\nSOURCE=.\\g.cpp\r\n# ADD CPP /W4 /D \"X\" /c\r\n"
                  "# SUBTRACT CPP\r\n# End Source File\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string written = RoundTrip(Project(row.group));
    EXPECT_EQ(written, Project(row.written.empty() ? row.group : row.written));
  }
}

// The reader takes the file's lines as the text-mode file class gives them: a line longer than
// what it reads at a time, lines across its pieces, a last line without a line end, nothing after
// a Ctrl-Z; a NUL in any line refuses the file.
TEST_F(DspKeptLines, LinesOfAnyLengthAndWhereverThePiecesEnd) {
  std::string many;
  for (int i = 0; i < 3000; ++i)
    many += "# Begin Source File\r\n\r\nSOURCE=.\\m" + std::to_string(i) + ".cpp\r\n# End Source File\r\n";
  const std::string longLine = "# " + std::string(150000, 'x') + "\r\n";
  EXPECT_EQ(RoundTrip(Project(many + longLine + many)), Project(many + longLine + many));

  std::string unended = Project("");
  unended.resize(unended.size() - 2);
  EXPECT_EQ(RoundTrip(unended), Project(""));
  EXPECT_EQ(RoundTrip(Project("") + "\x1a# after the end\r\n"), Project(""));

  std::string nul = Project(many + "# ab\r\n");
  nul[nul.find("# ab") + 3] = '\0';
  WriteDisk("zero.dsp", nul);
  EXPECT_EQ(ThrownMessage<TQ::CNulCharacterException>([&] { Read("T:\\zero.dsp"); }),
            "T:\\zero.dsp holds a NUL character: it is not a text file.");
}

// An end of file inside a source file block leaves the block in the tree with what was read of it.
TEST_F(DspKeptLines, EndOfFileInsideAKeptBlockKeepsWhatWasRead) {
  WriteDisk("cut.dsp", Project("").substr(0, Project("").find("# End Group")) +
                           "# Begin Source File\r\n\r\nSOURCE=.\\cut.cpp\r\n");
  EXPECT_EQ(ThrownFileCause([&] { Read("T:\\cut.dsp"); }), CFileException::endOfFile);
  auto* group = dynamic_cast<CDspTargetFolder*>(file_.GetTarget()->FindFolderProxy()->GetAt(0));
  ASSERT_NE(group, nullptr);
  ASSERT_EQ(group->GetCount(), 1);
  auto* file = dynamic_cast<CDspTargetFile*>(group->GetAt(0));
  ASSERT_NE(file, nullptr);
  EXPECT_STREQ(file->GetSourcePath(), ".\\cut.cpp");
  EXPECT_EQ(file->GetCount(), 2);
}

// The entry made of a kept SOURCE line is the file's remembered one: deleting it leaves the file
// without a source, as deleting a read one does.
TEST_F(DspKeptLines, AnEntryMadeOfAKeptLineIsTheRememberedOne) {
  WriteDisk("k.dsp", Project("# Begin Source File\r\n\r\nSOURCE=.\\a.cpp\r\nSOURCE=.\\second.cpp\r\n"
                             "# End Source File\r\n"));
  Read("T:\\k.dsp");
  auto* group = dynamic_cast<CDspTargetFolder*>(file_.GetTarget()->FindFolderProxy()->GetAt(0));
  auto* file = dynamic_cast<CDspTargetFile*>(group->GetAt(0));
  ASSERT_NE(file, nullptr);
  auto* source = dynamic_cast<CDspSourceFileSourceEntry*>(file->GetAt(1));
  ASSERT_NE(source, nullptr);
  EXPECT_STREQ(source->GetPath(), ".\\a.cpp");
  file->Delete(source);
  EXPECT_FALSE(file->HasSourceEntry()) << "the second SOURCE line is not the file's";
  EXPECT_EQ(ThrownMessage<TQ::CAppWizException>([&] { file->Validate(); }), "Invalid source entry.");
}

// The group editor finds kept files and folders without making entries of the other children,
// and edits a found file as a read one.
TEST_F(DspKeptLines, GroupLookupsFindKeptFiles) {
  WriteDisk("k.dsp", Project("# Begin Source File\r\n\r\nSOURCE=.\\a.cpp\r\n# End Source File\r\n"
                             "# Begin Source File\r\n\r\nSOURCE=.\\b.cpp\r\n# End Source File\r\n"));
  CDspEditor editor;
  editor.Open("T:\\k.dsp");
  CDspFileGroupEditor& top = editor.GetTopLevelFileGroupEditor();
  int index = -1;
  ASSERT_TRUE(top.HasFolder("G", &index));
  CDspFolderEditor& group = top.GetFolderEditor(index);
  EXPECT_FALSE(group.HasFolder("a"));
  ASSERT_TRUE(group.HasFile(".\\b.cpp", &index));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(group.GetFolder().GetMadeAt(0), nullptr) << "a.cpp is still kept as read";
  group.AddFile(".\\b.cpp", 0, true).GetAddCompilerEntryEditor().AddSetting("/W4");
  editor.Save();
  EXPECT_EQ(DiskBytes("T:\\k.dsp"),
            Project("# Begin Source File\r\n\r\nSOURCE=.\\b.cpp\r\n# ADD CPP /W4\r\n# End Source File\r\n"
                    "# Begin Source File\r\n\r\nSOURCE=.\\a.cpp\r\n# End Source File\r\n"));
}

// A copy of a kept text owns its bytes: it stays readable after the tree it came from is gone.
TEST(DspKeptText, ACopyOutlivesTheTree) {
  CDspText copied;
  {
    CDspTextStore store;
    const CDspTextBlock* block = store.Add("# kept line", 11);
    CDspFileUnknownEntry entry(CDspText::Borrowed(block));
    copied = entry.GetText();
    EXPECT_FALSE(entry.GetText().IsOwned());
  }
  EXPECT_STREQ(copied.GetData(), "# kept line");
  EXPECT_TRUE(copied.IsOwned());
}

}  // namespace
