// The template language and the NEWPROJ.INF list, as tables of texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mfcapwz/template_language.h"

namespace {

using mfcapwz::ExpandTemplate;
using mfcapwz::NewProjectFile;
using mfcapwz::ParseNewProjectList;
using mfcapwz::TemplateError;

// root = Thermo, EMPTY = "", TRICKY holds a line break and a macro reference of its own; ABSENT
// and the others are not in it.
void Fill(CMapStringToString& dictionary) {
  dictionary.SetAt("root", "Thermo");
  dictionary.SetAt("EMPTY", "");
  dictionary.SetAt("A", "1");
  dictionary.SetAt("C", "1");
  dictionary.SetAt("TRICKY", "x$$root$$y\n  z");
}

TEST(TemplateLanguage, ExpandsMacrosAndChoosesLines) {
  struct Row {
    const char* name;
    const char* text;
    const char* expected;
  } rows[] = {
      {.name = "macros", .text = "$$root$$.cpp\nclass C$$root$$App;\n", .expected = "Thermo.cpp\nclass CThermoApp;\n"},
      {.name = "an absent macro is empty, so is an empty one", .text = "[$$ABSENT$$][$$EMPTY$$]", .expected = "[][]"},
      {.name = "a value is written as it is, its line break and its $$ too",
       .text = "<$$TRICKY$$>\n",
       .expected = "<x$$root$$y\n  z>\n"},
      {.name = "$$ that starts no macro stays", .text = "a $$ b $$$$ c$$d\n", .expected = "a $$ b $$$$ c$$d\n"},
      {.name = "a name in the dictionary is true whatever its value, an absent one false",
       .text = "$$IF(EMPTY)\nempty\n$$ENDIF\n$$IF(ABSENT)\nabsent\n$$ENDIF\n",
       .expected = "empty\n"},
      {.name = "the first true branch of an $$ELIF chain, and only it",
       .text = "$$IF(ABSENT)\nif\n$$ELIF(A)\nelif A\n$$ELIF(C)\nelif C\n$$ELSE\nelse\n$$ENDIF\n",
       .expected = "elif A\n"},
      {.name = "$$ELSE when nothing before was true",
       .text = "$$IF(ABSENT)\nif\n$$ELIF(NONE)\nelif\n$$ELSE\nelse\n$$ENDIF\n",
       .expected = "else\n"},
      {.name = "nested blocks; a false outer block hides an inner true branch",
       .text = "$$IF(A)\n$$IF(ABSENT)\nno\n$$ELSE\nA only\n$$ENDIF\n$$ELSE\n$$IF(C)\nhidden\n$$ENDIF\n$$ENDIF\n"
               "$$IF(ABSENT)\n$$ELIF(ABSENT2)\n$$IF(A)\nhidden too\n$$ENDIF\n$$ENDIF\n",
       .expected = "A only\n"},
      {.name = "comment lines and indented directives go",
       .text = "$$// a comment with $$IF(A) in it\n  $$IF(A)\nkept\n\t$$ENDIF  \n",
       .expected = "kept\n"},
      {.name = "CR LF lines come out as LF; a last line without a break stays so",
       .text = "one\r\n$$IF(A)\r\ntwo\r\n$$ENDIF\r\nthree",
       .expected = "one\ntwo\nthree"},
      {.name = "a line with a macro first is text, not a directive", .text = "$$root$$(1)\n", .expected = "Thermo(1)\n"},
  };
  CMapStringToString dictionary;
  Fill(dictionary);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string out = "before|";
    TemplateError error;
    EXPECT_TRUE(ExpandTemplate(row.text, dictionary, out, error)) << error.line << ": " << error.what;
    EXPECT_EQ(out, std::string("before|") + row.expected);
  }
}

TEST(TemplateLanguage, RefusesUnbalancedBlocksAndUnknownDirectivesWritingNothing) {
  struct Row {
    const char* text;
    int line;
    const char* what;
  } rows[] = {
      {.text = "a\n$$IF(A)\nb\n", .line = 2, .what = "$$IF without $$ENDIF"},
      {.text = "$$IF(A)\n$$IF(C)\n$$ENDIF\n", .line = 1, .what = "$$IF without $$ENDIF"},
      {.text = "a\n$$ENDIF\n", .line = 2, .what = "$$ENDIF without $$IF"},
      {.text = "$$ELSE\n", .line = 1, .what = "$$ELSE without $$IF"},
      {.text = "$$ELIF(A)\n", .line = 1, .what = "$$ELIF without $$IF"},
      {.text = "$$IF(A)\n$$ELSE\n$$ELSE\n$$ENDIF\n", .line = 3, .what = "a second $$ELSE"},
      {.text = "$$IF(A)\n$$ELSE\n$$ELIF(C)\n$$ENDIF\n", .line = 3, .what = "$$ELIF after $$ELSE"},
      {.text = "x\ny\n$$INCLUDE(root)\n", .line = 3, .what = "unknown directive \"$$INCLUDE(root)\""},
      {.text = "$$IF(A\n$$ENDIF\n", .line = 1, .what = "unknown directive \"$$IF(A\""},
      {.text = "$$IF()\n$$ENDIF\n", .line = 1, .what = "unknown directive \"$$IF()\""},
      {.text = "$$ENDIF extra\n", .line = 1, .what = "unknown directive \"$$ENDIF extra\""},
      {.text = "$$IF(ABSENT)\n$$BOGUS\n$$ENDIF\n", .line = 2, .what = "unknown directive \"$$BOGUS\""},
  };
  CMapStringToString dictionary;
  Fill(dictionary);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::string out = "untouched";
    std::vector<int> lines = {7};
    TemplateError error;
    EXPECT_FALSE(ExpandTemplate(row.text, dictionary, out, error, &lines));
    EXPECT_EQ(error.line, row.line);
    EXPECT_EQ(error.what, row.what);
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(lines, std::vector<int>{7});
  }
}

// A refusal in NEWPROJ.INF names the template's line, which the expansion's line map keeps across
// directives and values with line breaks.
TEST(TemplateLanguage, EachOutputLineKnowsItsTemplateLine) {
  CMapStringToString dictionary;
  Fill(dictionary);
  std::string out;
  std::vector<int> lines;
  TemplateError error;
  ASSERT_TRUE(ExpandTemplate("$$// head\n$$IF(A)\nfirst\n$$ENDIF\n$$TRICKY$$\nlast", dictionary, out, error, &lines));
  EXPECT_EQ(out, "first\nx$$root$$y\n  z\nlast");
  EXPECT_EQ(lines, (std::vector<int>{3, 5, 5, 6}));
}

std::vector<int> Numbered(size_t count) {
  std::vector<int> lines;
  for (size_t i = 0; i < count; ++i) lines.push_back(static_cast<int>(i) + 10);
  return lines;
}

TEST(NewProjectList, ReadsTemplatesFilesAndTheirMarks) {
  const std::string list =
      "root.cpp\tThermo.cpp\n"
      "\n"
      "=root.ico\tres/Thermo.ico\n"
      ":root.rc\tThermo.rc\r\n"
      ":=resource.h\tResource.h\n"
      "=:icon.bmp \t res\\Icon.bmp \n";
  std::vector<NewProjectFile> files;
  TemplateError error;
  ASSERT_TRUE(ParseNewProjectList(list, Numbered(6), files, error)) << error.what;
  ASSERT_EQ(files.size(), 5u);
  struct Row {
    const char* templateName;
    const char* file;
    bool copy;
    bool resource;
    int line;
  } rows[] = {
      {"root.cpp", "Thermo.cpp", false, false, 10}, {"root.ico", "res\\Thermo.ico", true, false, 12},
      {"root.rc", "Thermo.rc", false, true, 13},    {"resource.h", "Resource.h", true, true, 14},
      {"icon.bmp", "res\\Icon.bmp", true, true, 15},
  };
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(rows[i].templateName);
    EXPECT_EQ(files[i].templateName, rows[i].templateName);
    EXPECT_EQ(files[i].file, rows[i].file);
    EXPECT_EQ(files[i].copy, rows[i].copy);
    EXPECT_EQ(files[i].resource, rows[i].resource);
    EXPECT_EQ(files[i].line, rows[i].line);
  }
}

TEST(NewProjectList, RefusesALineItCannotTakeWithItsTemplateLine) {
  struct Row {
    const char* bad;
    const char* what;
  } rows[] = {
      {"root.cpp Thermo.cpp", "no tab between the template and its file"},
      {"\tThermo.cpp", "no template named"},
      {"=:\tThermo.cpp", "no template named"},
      {"root.cpp\t  ", "no file named for root.cpp"},
      {"root.cpp\tC:\\Thermo.cpp", "the file \"C:\\Thermo.cpp\" is not inside the project's folder"},
      {"root.cpp\t\\Thermo.cpp", "the file \"\\Thermo.cpp\" is not inside the project's folder"},
      {"root.cpp\t../Thermo.cpp", "the file \"..\\Thermo.cpp\" is not inside the project's folder"},
      {"root.cpp\tres\\..\\..\\x.cpp", "the file \"res\\..\\..\\x.cpp\" is not inside the project's folder"},
      {"other.h\tSTDAFX.H", "the file \"STDAFX.H\" is listed twice"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bad);
    const std::string list = std::string("stdafx.h\tStdAfx.h\n") + row.bad + "\nlast.cpp\tlast.cpp\n";
    std::vector<NewProjectFile> files = {NewProjectFile{}};
    TemplateError error;
    EXPECT_FALSE(ParseNewProjectList(list, Numbered(3), files, error));
    EXPECT_EQ(error.line, 11);
    EXPECT_EQ(error.what, row.what);
    EXPECT_EQ(files.size(), 1u);  // nothing added
  }
}

}  // namespace
