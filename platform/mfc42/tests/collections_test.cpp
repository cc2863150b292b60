// The string map and the string list: what the template dictionary and the platform lists rely on
// (absent against empty, removal during a walk, positions across inserts and removals).
#include <afxcoll.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries Walk(const CMapStringToString& map) {
  Entries entries;
  CString key, value;
  for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
    map.GetNextAssoc(pos, key, value);
    entries.emplace_back(static_cast<LPCTSTR>(key), static_cast<LPCTSTR>(value));
  }
  return entries;
}

std::vector<std::string> Items(const CStringList& list) {
  std::vector<std::string> items;
  for (POSITION pos = list.GetHeadPosition(); pos != NULL;) items.emplace_back(static_cast<LPCTSTR>(list.GetNext(pos)));
  return items;
}

TEST(CMapStringToStringTest, AbsentIsNotEmptyAndKeysKeepTheirCase) {
  CMapStringToString map(10);
  CString value = "untouched";
  EXPECT_FALSE(map.Lookup("root", value));
  EXPECT_EQ(value, "untouched");
  map["root"];  // operator[] stores an empty value
  EXPECT_TRUE(map.Lookup("root", value));
  EXPECT_EQ(value, "");
  map.SetAt("Root", "Thermo");
  EXPECT_EQ(map.GetCount(), 2);
  EXPECT_TRUE(map.Lookup("Root", value));
  EXPECT_EQ(value, "Thermo");
  EXPECT_FALSE(map.Lookup("ROOT", value));
  map.SetAt("root", "thermo");  // a second store replaces the value
  EXPECT_EQ((Entries{{"root", "thermo"}, {"Root", "Thermo"}}), Walk(map));
  EXPECT_FALSE(map.RemoveKey("ROOT"));
  EXPECT_TRUE(map.RemoveKey("root"));
  EXPECT_FALSE(map.Lookup("root", value));
  map.RemoveAll();
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.GetStartPosition(), nullptr);
}

// Copying a dictionary entry by entry and clearing macros while walking it are what the wizards
// do with the host's dictionary.
TEST(CMapStringToStringTest, AWalkSurvivesRemovingTheEntryJustReturned) {
  CMapStringToString map;
  for (const char* key : {"A", "B", "C", "D"}) map.SetAt(key, std::string(key).append("v").c_str());
  CString key, value;
  for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
    map.GetNextAssoc(pos, key, value);
    if (key == "B" || key == "D") map.RemoveKey(key);
  }
  EXPECT_EQ((Entries{{"A", "Av"}, {"C", "Cv"}}), Walk(map));
  map.SetAt("B", "again");  // stored anew: it comes last
  EXPECT_EQ((Entries{{"A", "Av"}, {"C", "Cv"}, {"B", "again"}}), Walk(map));
}

TEST(CStringListTest, PositionsStayValidAcrossInsertsAndRemovals) {
  CStringList list;
  const POSITION b = list.AddTail("b");
  list.AddHead("a");
  const POSITION d = list.AddTail("d");
  list.InsertAfter(b, "c");
  list.InsertBefore(list.GetHeadPosition(), "0");
  EXPECT_EQ((std::vector<std::string>{"0", "a", "b", "c", "d"}), Items(list));
  list.RemoveAt(b);
  EXPECT_EQ(list.GetAt(d), "d");
  EXPECT_EQ(list.Find("c"), list.FindIndex(2));
  EXPECT_EQ(list.Find("a", list.FindIndex(1)), nullptr);
  EXPECT_EQ(list.FindIndex(4), nullptr);
  EXPECT_EQ(list.RemoveHead(), "0");
  EXPECT_EQ(list.RemoveTail(), "d");
  POSITION back = list.GetTailPosition();
  EXPECT_EQ(list.GetPrev(back), "c");
  EXPECT_EQ(list.GetAt(back), "a");
  list.SetAt(back, "A");
  list.AddTail(&list);  // a list added to itself is copied once
  EXPECT_EQ((std::vector<std::string>{"A", "c", "A", "c"}), Items(list));
  EXPECT_EQ(list.GetCount(), 4);
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

}  // namespace
