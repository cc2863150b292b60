// Lookups: sorted and indexed objects answer every getter as their unsorted twin does (repeated
// names included: the first one counts), puts and drops keep them so, single-valued or not;
// copying sections between objects.
#include "ini_test_support.h"

#include <string>
#include <vector>

namespace {

using initest::Contents;
using initest::IniTest;

const char kTwinText[] =
    "[Zeta]\r\nb=1\r\nA=2\r\na=3\r\n[alpha]\r\nx=1\r\n[ZETA]\r\nb=9\r\n[Mid]\r\nk=5\r\nK=6\r\nk=7\r\n";

// Every answer of the getters for a grid of names, as one text.
std::string Answers(IniFile file) {
  const char* sections[] = {"zeta", "ZETA", "alpha", " Alpha ", "mid", "New", "none", ""};
  const char* tags[] = {"a", "A", "b", " B", "x", "k", "q", "none", ""};
  std::string answers;
  for (const char* section : sections) {
    answers += std::string("[") + section + "] has " + std::to_string(IniFileHasSection(file, section)) + " items " +
               std::to_string(IniFileItemTotal(file, section)) + "\n";
    for (const char* tag : tags) {
      const char* raw = nullptr;
      const int found = IniFileRaw(file, section, tag, &raw);
      LONG value = 0;
      const int typed = IniFileLong(file, section, tag, &value);
      answers += std::string("  ") + tag + ": " + std::to_string(found) + " " + (raw ? raw : "-") + " line " +
                 std::to_string(IniFileLastLine(file)) + " long " + std::to_string(typed) + "/" +
                 std::to_string(value) + " has " + std::to_string(IniFileHasItem(file, section, tag)) + "\n";
    }
  }
  return answers;
}

// The same changes in every twin.
void Change(IniFile file) {
  IniFileSetLong(file, "mid", "a", 11);
  IniFileSetLong(file, " new ", "q", 12);
  IniFileSetLong(file, "ZETA", "b", 13);  // replaces the first section's b
  IniFileDropItem(file, "mid", "K");
  IniFileSetLong(file, "alpha", "A", 14);
  IniFileDropSection(file, "Zeta");        // the first one: ZETA answers from now on
  IniFileSetLong(file, "zeta", "A", 15);
}

TEST_F(IniTest, SortedAndIndexedTwinsAnswerAsTheUnsortedOne) {
  IniFile plain = ReadText(kTwinText);
  IniFile sorted = ReadText(kTwinText, 1);
  IniFile indexed = ReadText(kTwinText);
  ASSERT_EQ(IniFileIndexOn(indexed), 1);
  IniFile sortedIndexed = Make(1);
  ASSERT_EQ(IniFileIndexOn(sortedIndexed), 1);  // an index before the read is rebuilt after it
  WriteDisk("twin.ini", kTwinText);
  ASSERT_EQ(IniFileRead(sortedIndexed, "T:\\twin.ini"), 0);
  IniFile ordered = ReadText(kTwinText);
  ASSERT_EQ(IniFileOrder(ordered), 1);

  // Names in order; equal names keep their file order.
  EXPECT_EQ(Contents(sorted),
            "[alpha@5]\nx=1@6\n[Mid@9]\nk=5@10\nK=6@11\nk=7@12\n[Zeta@1]\nA=2@3\na=3@4\nb=1@2\n[ZETA@7]\nb=9@8\n");
  EXPECT_EQ(Contents(ordered), Contents(sorted));

  const std::string expected = Answers(plain);
  EXPECT_NE(expected.find("  a: 1 2 line 3"), std::string::npos) << "the first of equal names: " << expected;
  for (IniFile twin : {sorted, indexed, sortedIndexed, ordered}) {
    SCOPED_TRACE(Contents(twin));
    EXPECT_EQ(Answers(twin), expected);
  }
  Change(plain);
  const std::string changed = Answers(plain);
  for (IniFile twin : {sorted, indexed, sortedIndexed, ordered}) {
    SCOPED_TRACE(Contents(twin));
    Change(twin);
    EXPECT_EQ(Answers(twin), changed);
  }
  EXPECT_EQ(IniFileIndexOff(indexed), 1);
  EXPECT_EQ(Answers(indexed), changed);
}

TEST_F(IniTest, WithoutReplacingDuplicatesBothStayAndTheFirstAnswers) {
  for (int sorted : {0, 1}) {
    SCOPED_TRACE(sorted ? "sorted" : "unsorted");
    IniFile file = ReadText("[s]\r\nt=0\r\nu=9\r\n", sorted);
    EXPECT_EQ(IniFileSetSingleValued(file, 0), 1);
    EXPECT_EQ(IniFileSetSingleValued(file, 0), 0);
    ASSERT_EQ(IniFileSetLong(file, "s", "t", 1), 1);
    ASSERT_EQ(IniFileSetLong(file, "s", "T", 2), 1);
    EXPECT_EQ(IniFileItemTotal(file, "s"), 4);
    LONG value = -1;
    EXPECT_EQ(IniFileLong(file, "s", "t", &value), 1);
    EXPECT_EQ(value, 0);
    ASSERT_EQ(IniFileWrite(file, "T:\\dup.ini"), 0);
    EXPECT_EQ(DiskBytes("T:\\dup.ini"),
              sorted ? "[s]\r\nt = 0\r\nt = 1\r\nT = 2\r\nu = 9\r\n\r\n" : "[s]\r\nt = 0\r\nu = 9\r\nt = 1\r\nT = 2\r\n\r\n");
    // Dropping takes every item of the tag.
    EXPECT_EQ(IniFileDropItem(file, "s", "T"), 1);
    EXPECT_EQ(IniFileItemTotal(file, "s"), 1);
    EXPECT_EQ(IniFileDropItem(file, "s", "T"), 0);
    // Single-valued again: a put replaces every earlier item of its tag.
    IniFileSetLong(file, "s", "u", 1);
    IniFileSetSingleValued(file, 1);
    IniFileSetLong(file, "s", "u", 2);
    EXPECT_EQ(IniFileItemTotal(file, "s"), 1);
  }
}

TEST_F(IniTest, SectionsAndItemsByNumber) {
  IniFile file = ReadText(kTwinText);
  EXPECT_EQ(IniFileSectionTotal(file), 4);
  const char* name = "poison";
  EXPECT_EQ(IniFileSectionName(file, 3, &name), 1);
  EXPECT_STREQ(name, "ZETA");
  EXPECT_EQ(IniFileSectionName(file, 5, &name), 0);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(IniFileSectionName(file, 0, &name), 0);
  EXPECT_EQ(IniFileItemTag(file, "mid", 2, &name), 1);
  EXPECT_STREQ(name, "K");
  EXPECT_EQ(IniFileItemTag(file, "mid", 4, &name), 0);
  EXPECT_EQ(IniFileItemTotal(file, "none"), 0);
  EXPECT_EQ(IniFileDropSection(file, "none"), 0);
  EXPECT_EQ(IniFileDropSection(file, "zeta"), 1);
  EXPECT_EQ(IniFileItemTotal(file, "zeta"), 1);  // the second one
}

struct CopyCase {
  const char* what;
  const char* section;
  int replace;
  int result;
  std::string target;
};

TEST_F(IniTest, CopySections) {
  const char source[] = "[Project]\r\nName=\"Meter\"\r\nVersion=3\r\n[Files]\r\nf=a.c\r\n[project]\r\nName=Second\r\n";
  const char target[] = "[project]\r\nName=Old\r\nKeep=1\r\n[Other]\r\no=1\r\n";
  const CopyCase cases[] = {
      {"one section, merged", "PROJECT", 0, 1,
       "[project@1]\nKeep=1@3\nName=\"Meter\"@0\nVersion=3@0\n[Other@4]\no=1@5\n"},
      {"one section, replacing", "project", 1, 1, "[Other@4]\no=1@5\n[Project@0]\nName=\"Meter\"@0\nVersion=3@0\n"},
      {"every section, merged", nullptr, 0, 1,
       "[project@1]\nKeep=1@3\nVersion=3@0\nName=Second@0\n[Other@4]\no=1@5\n[Files@0]\nf=a.c@0\n"},
      {"every section, replacing", nullptr, 1, 1,
       "[Other@4]\no=1@5\n[Files@0]\nf=a.c@0\n[project@0]\nName=Second@0\n"},
      {"a missing section", "none", 1, 0, "[project@1]\nName=Old@2\nKeep=1@3\n[Other@4]\no=1@5\n"},
  };
  for (const CopyCase& c : cases) {
    SCOPED_TRACE(c.what);
    IniFile from = ReadText(source, 0, "source.ini");
    IniFile to = ReadText(target, 0, "target.ini");
    EXPECT_EQ(IniFileCopySections(from, c.section, to, c.replace), c.result);
    EXPECT_EQ(Contents(to), c.target);
  }
  IniFile self = ReadText(source);
  const std::string before = Contents(self);
  EXPECT_EQ(IniFileCopySections(self, nullptr, self, 1), 0);
  EXPECT_EQ(IniFileCopySections(self, "Files", self, 0), 0);
  EXPECT_EQ(Contents(self), before);
}

}  // namespace
