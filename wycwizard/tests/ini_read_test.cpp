// Reading INI text: how each line is classified, line ends, line numbers, the section gate,
// long lines, and failures to open or to read.
#include "ini_test_support.h"

#include <string>
#include <vector>

namespace {

using initest::Contents;
using initest::IniTest;

struct ClassifyCase {
  const char* what;
  std::string text;
  std::string contents;
};

TEST_F(IniTest, EachLineIsAComment_AHeader_AnItemOrIgnored) {
  const ClassifyCase cases[] = {
      {"comments count only at the start of a line", "[s]\n; a=1\n  ;b=2\nc=3 ; not a comment\n",
       "[s@1]\nc=3 ; not a comment@4\n"},
      {"blanks inside and after the brackets", "[  sec one  ]  \t\nx=1\n", "[sec one@1]\nx=1@2\n"},
      {"the name runs to the last close bracket", "[a]]\n[b] c ]\n", "[a]@1]\n[b] c@2]\n"},
      {"text after the header: ignored, items go on to the section before", "[s]\n[t] x\na=1\n",
       "[s@1]\na=1@3\n"},
      {"no close bracket or an empty name: ignored", "[s]\n[t\n[ ]\n[]\na=1\n", "[s@1]\na=1@5\n"},
      {"items before the first header are dropped", "a=1\n[s]\nb=2\n", "[s@2]\nb=2@3\n"},
      {"no separator, an empty tag or an empty value: ignored", "[s]\njust text\n= v\na=\nb =  \t\n", "[s@1]\n"},
      {"two double quotes are the empty string", "[s]\na=\"\"\nb = \" x \"\nc=\"\nd=\"a\"b\"\n",
       "[s@1]\na=\"\"@2\nb=\" x \"@3\nc=\"@4\nd=\"a\"b\"@5\n"},
      {"the first separator splits; the tag loses its trailing blanks", "[s]\n  a  b  = x = y \n",
       "[s@1]\na  b=x = y@2\n"},
      {"repeated sections stay apart, duplicates too", "[s]\na=1\n[t]\n[S]\na=2\na=3\n",
       "[s@1]\na=1@2\n[t@3]\n[S@4]\na=2@5\na=3@6\n"},
      {"blank lines count", "\n  \t\n[s]\n\na=1\n", "[s@3]\na=1@5\n"},
  };
  for (const ClassifyCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Contents(ReadText(c.text)), c.contents);
  }
}

struct LineEndCase {
  const char* what;
  std::string text;
  std::string contents;
};

TEST_F(IniTest, LineEnds) {
  const LineEndCase cases[] = {
      {"CR", "[s]\ra=1\rb=2", "[s@1]\na=1@2\nb=2@3\n"},
      {"LF", "[s]\na=1\nb=2\n", "[s@1]\na=1@2\nb=2@3\n"},
      {"CR LF", "[s]\r\na=1\r\nb=2\r\n", "[s@1]\na=1@2\nb=2@3\n"},
      {"LF CR", "[s]\n\ra=1\n\rb=2\n\r", "[s@1]\na=1@2\nb=2@3\n"},
      {"CR CR: an empty line between", "[s]\r\ra=1\r\rb=2", "[s@1]\na=1@3\nb=2@5\n"},
      {"LF LF", "[s]\n\na=1", "[s@1]\na=1@3\n"},
      {"CR LF CR: one pair, then an end", "[s]\r\n\ra=1", "[s@1]\na=1@3\n"},
      {"NUL", std::string("[s]\0a=1\0b=2", 11), "[s@1]\na=1@2\nb=2@3\n"},
      {"NUL LF: two ends", std::string("[s]\0\na=1", 8), "[s@1]\na=1@3\n"},
  };
  for (const LineEndCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Contents(ReadText(c.text)), c.contents);
  }
}

// The reader takes the file in blocks of 2084 bytes: a CR LF pair split by a block's end is
// still one line end, and lines longer than a block (or than the 5000 characters that pieces of
// long values take) are kept whole.
TEST_F(IniTest, BlockSeamsAndLongLines) {
  for (size_t header : {size_t(2082), size_t(2083), size_t(2084), size_t(4168)}) {
    SCOPED_TRACE(header);
    const std::string name(header - 3, 'n');  // "[" name "]" ends just before byte `header`
    const std::string text = "[" + name + "]\r\na=1\r\n";
    EXPECT_EQ(Contents(ReadText(text)), "[" + name + "@1]\na=1@2\n");
  }
  const std::string value(7000, 'v');
  EXPECT_EQ(Contents(ReadText("[s]\r\nlong = \"" + value + "\"\r\nnext=1\r\n")),
            "[s@1]\nlong=\"" + value + "\"@2\nnext=1@3\n");
}

TEST_F(IniTest, TheLastLineFoundIsRemembered) {
  IniFile file = ReadText("[s]\r\n\r\na=1\r\n[t]\r\nb=2\r\n");
  EXPECT_EQ(IniFileLastLine(file), -1);
  EXPECT_EQ(IniFileHasItem(file, "t", "b"), 1);
  EXPECT_EQ(IniFileLastLine(file), 5);
  const char* value = nullptr;
  EXPECT_EQ(IniFileRaw(file, "S", "A", &value), 1);
  EXPECT_EQ(IniFileLastLine(file), 3);
  EXPECT_EQ(IniFileRaw(file, "s", "missing", &value), 0);
  EXPECT_EQ(IniFileLastLine(file), 3);
  EXPECT_EQ(IniFileSetLong(file, "s", "put", 1), 1);
  EXPECT_EQ(IniFileHasItem(file, "s", "put"), 1);
  EXPECT_EQ(IniFileLastLine(file), 0);
}

struct GateLog {
  std::vector<std::string> asked;
};

int SkipNamedSkip(IniFile, void* data, const char* name) {
  static_cast<GateLog*>(data)->asked.push_back(name);
  return _stricmp(name, "skip") != 0;
}

TEST_F(IniTest, TheSectionGateSkipsASectionWithItsItems) {
  WriteDisk("gate.ini", "[keep]\na=1\n[SKIP]\nb=2\n[ skip ]\nc=3\n[after]\nd=4\n");
  IniFile file = Make();
  GateLog log;
  ASSERT_EQ(IniFileSetSectionGate(file, SkipNamedSkip, &log), 1);
  ASSERT_EQ(IniFileRead(file, "T:\\gate.ini"), 0);
  EXPECT_EQ(Contents(file), "[keep@1]\na=1@2\n[after@7]\nd=4@8\n");
  EXPECT_EQ(log.asked, (std::vector<std::string>{"keep", "SKIP", "skip", "after"}));
}

TEST_F(IniTest, ReadingAddsToWhatTheObjectHolds) {
  IniFile file = ReadText("[s]\na=1\n");
  WriteDisk("more.ini", "[s]\nb=2\n");
  ASSERT_EQ(IniFileRead(file, "T:\\more.ini"), 0);
  EXPECT_EQ(Contents(file), "[s@1]\na=1@2\n[s@1]\nb=2@2\n");
}

TEST_F(IniTest, AFileThatWillNotOpenLeavesTheObjectAsItWas) {
  IniFile file = ReadText("[s]\na=1\n");
  WriteDisk("Dir/x", "");
  EXPECT_EQ(IniFileRead(file, "T:\\missing.ini"), INI_OPEN_FAILED);
  EXPECT_EQ(IniFileRead(file, "T:\\Dir"), INI_OPEN_FAILED);
  WriteDisk("locked.ini", "[t]\nb=2\n");
  sandbox::InjectFileFailure("T:\\locked.ini", "open", ERROR_SHARING_VIOLATION);
  EXPECT_EQ(IniFileRead(file, "T:\\locked.ini"), INI_OPEN_FAILED);
  EXPECT_EQ(Contents(file), "[s@1]\na=1@2\n");
  WriteDisk("bad.ini", "[t]\nb=2\n");
  sandbox::InjectFileFailure("T:\\bad.ini", "read", ERROR_READ_FAULT);
  EXPECT_EQ(IniFileRead(file, "T:\\bad.ini"), INI_READ_FAILED);
  EXPECT_EQ(Contents(file), "[s@1]\na=1@2\n");
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

// Any line source: what came before a failure stays (pieces joined as after a whole read).
struct Lines {
  std::vector<std::string> lines;
  size_t next = 0;
  int failure = 0;  // answered after the lines, 0 for the end
};

int NextLine(void* state, char** line) {
  Lines* source = static_cast<Lines*>(state);
  if (source->next == source->lines.size()) return source->failure;
  *line = source->lines[source->next++].data();
  return 1;
}

TEST_F(IniTest, ReadLinesTakesAnyLineSourceAndStopsAtItsFailure) {
  IniFile file = Make();
  Lines source{.lines = {"[s]", "a Line0001 = x", "a Line0002 = y", "b = 1"}, .failure = -7};
  EXPECT_EQ(IniFileReadLines(file, NextLine, &source), -7);
  EXPECT_EQ(Contents(file), "[s@1]\na=xy@2\nb=1@4\n");
}

// Pieces of a long value: a run starts at an item numbered 1 and takes the items right after it
// numbered otherwise, whatever their base names.
TEST_F(IniTest, PiecesAreJoinedByRuns) {
  const ClassifyCase cases[] = {
      {"a run of three", "[s]\nv Line0001=a\nv Line0002=b\nv Line0003=c\n", "[s@1]\nv=abc@2\n"},
      {"one piece alone", "[s]\nv Line0001=a\n", "[s@1]\nv=a@2\n"},
      {"the base name is not compared", "[s]\nv Line0001=a\nw Line0002=b\n", "[s@1]\nv=ab@2\n"},
      {"a number 1 starts another run", "[s]\nv Line0001=a\nw Line1=b\nw Line02=c\n", "[s@1]\nv=a@2\nw=bc@3\n"},
      {"another item ends the run", "[s]\nv Line0001=a\nx=1\nv Line0002=b\n", "[s@1]\nv=a@2\nx=1@3\nv Line0002=b@4\n"},
      {"a piece without a run stays", "[s]\nv Line0002=b\n", "[s@1]\nv Line0002=b@2\n"},
      {"the quoted flag of the first piece", "[s]\nv Line0001=\" a\"\nv Line0002=b\n", "[s@1]\nv=\" ab\"@2\n"},
      {"no digits, other text, or too large a number: no piece",
       "[s]\nv Line=a\nv Line1x=b\nv Line99999999999=c\n",
       "[s@1]\nv Line=a@2\nv Line1x=b@3\nv Line99999999999=c@4\n"},
      {"only the first \" Line\" counts", "[s]\nv Line1 Line0001=a\n", "[s@1]\nv Line1 Line0001=a@2\n"},
      {"runs stay within their section", "[s]\nv Line0001=a\n[t]\nv Line0002=b\n",
       "[s@1]\nv=a@2\n[t@3]\nv Line0002=b@4\n"},
      {"the base name is trimmed as a tag is", "[s]\nv \t Line0001=a\nv  Line0002=b\n", "[s@1]\nv=ab@2\n"},
  };
  for (const ClassifyCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Contents(ReadText(c.text)), c.contents);
  }
}

TEST_F(IniTest, SyntaxTokensCanBeChanged) {
  WriteDisk("syntax.ini", "<s>\n# c : 1\na : b = c\nd = e\n");
  IniFile file = Make();
  ASSERT_EQ(IniFileSetSyntax(file, '<', '>', ":", "#"), 1);
  ASSERT_EQ(IniFileRead(file, "T:\\syntax.ini"), 0);
  EXPECT_EQ(Contents(file), "[s@1]\na=b = c@3\n");
  ASSERT_EQ(IniFileSetSyntax(file, 0, 0, "", nullptr), 1);  // nothing changes
  ASSERT_EQ(IniFileWrite(file, "T:\\syntax.ini"), 0);
  EXPECT_EQ(DiskBytes("T:\\syntax.ini"), "<s>\r\na : b = c\r\n\r\n");
}

}  // namespace
