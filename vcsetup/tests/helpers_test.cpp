// The directory-list and registry helpers: whole characters at the end of a text (a double-byte
// character whose trail byte is a backslash stays whole), case and one trailing backslash in
// lists, stored data read only as far as it goes, and the list written back.
#include "PathList.h"
#include "RegistryLists.h"
#include "vcsetup_test_support.h"

namespace vcsetup_test {
namespace {

std::string Str(const CString& text) { return static_cast<LPCTSTR>(text); }

// 0x95 0x5C is one character in code page 932 (a kanji whose trail byte is '\'), two in 1252.
constexpr const char* kKanjiWithBackslashTrail = "C:\\\x95\x5C";

TEST(PathList, TheLastCharacterIsTakenWhole) {
  const struct {
    const char* name;
    unsigned codePage;
    const char* text;
    const char* trimmed;   // after TrimTrailingBackslash
    const char* ensured;   // after EnsureTrailingSemicolon
  } rows[] = {
      {.name = "empty", .codePage = 1252, .text = "", .trimmed = "", .ensured = ""},
      {.name = "one backslash", .codePage = 1252, .text = "C:\\Dir\\", .trimmed = "C:\\Dir", .ensured = "C:\\Dir\\;"},
      {.name = "only one goes", .codePage = 1252, .text = "C:\\Dir\\\\", .trimmed = "C:\\Dir\\",
       .ensured = "C:\\Dir\\\\;"},
      {.name = "a lone backslash", .codePage = 1252, .text = "\\", .trimmed = "", .ensured = "\\;"},
      {.name = "semicolon kept", .codePage = 1252, .text = "C:\\A;", .trimmed = "C:\\A;", .ensured = "C:\\A;"},
      {.name = "double-byte, trail 0x5C", .codePage = 932, .text = kKanjiWithBackslashTrail,
       .trimmed = kKanjiWithBackslashTrail, .ensured = "C:\\\x95\x5C;"},
      {.name = "double-byte, then a backslash", .codePage = 932, .text = "C:\\\x95\x5C\\",
       .trimmed = kKanjiWithBackslashTrail, .ensured = "C:\\\x95\x5C\\;"},
      {.name = "the same bytes in 1252", .codePage = 1252, .text = kKanjiWithBackslashTrail, .trimmed = "C:\\\x95",
       .ensured = "C:\\\x95\x5C;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::SetCodePage(row.codePage);
    CString trimmed(row.text);
    TrimTrailingBackslash(trimmed);
    EXPECT_EQ(Str(trimmed), row.trimmed);
    CString ensured(row.text);
    EnsureTrailingSemicolon(ensured);
    EXPECT_EQ(Str(ensured), row.ensured);
  }
}

TEST(PathList, EntriesCompareWithoutCaseAndOneTrailingBackslash) {
  const struct {
    const char* name;
    unsigned codePage;
    const char* list;
    const char* dir;
    bool contained;
    const char* appended;  // the list after AppendToPathList
  } rows[] = {
      {.name = "case and backslash", .codePage = 1252, .list = "C:\\VC\\Include;D:\\Sablewing\\INCLUDE\\;E:\\X",
       .dir = "d:\\sablewing\\include", .contained = true,
       .appended = "C:\\VC\\Include;D:\\Sablewing\\INCLUDE\\;E:\\X"},
      {.name = "the new one's backslash", .codePage = 1252, .list = "C:\\A;D:\\B", .dir = "d:\\b\\", .contained = true,
       .appended = "C:\\A;D:\\B"},
      {.name = "a prefix is no entry", .codePage = 1252, .list = "D:\\Sablewing\\Include", .dir = "D:\\Sablewing",
       .contained = false, .appended = "D:\\Sablewing\\Include;D:\\Sablewing"},
      {.name = "empty list, no leading semicolon", .codePage = 1252, .list = "", .dir = "C:\\Lib\\",
       .contained = false, .appended = "C:\\Lib"},
      {.name = "after a semicolon", .codePage = 1252, .list = "C:\\A;", .dir = "C:\\B", .contained = false,
       .appended = "C:\\A;C:\\B"},
      {.name = "the last entry", .codePage = 1252, .list = "C:\\A;C:\\B\\", .dir = "C:\\B", .contained = true,
       .appended = "C:\\A;C:\\B\\"},
      {.name = "a trail byte is no backslash", .codePage = 932, .list = kKanjiWithBackslashTrail, .dir = "C:\\\x95",
       .contained = false, .appended = "C:\\\x95\x5C;C:\\\x95"},
      {.name = "the same bytes in 1252", .codePage = 1252, .list = kKanjiWithBackslashTrail, .dir = "C:\\\x95",
       .contained = true, .appended = kKanjiWithBackslashTrail},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::SetCodePage(row.codePage);
    EXPECT_EQ(PathListContains(row.list, row.dir) != FALSE, row.contained);
    CString list(row.list);
    AppendToPathList(list, row.dir);
    EXPECT_EQ(Str(list), row.appended);
  }
}

class RegistryHelpers : public testing::Test {
 protected:
  static constexpr const char* kKey = "HKCU\\Software\\Vellacott\\Test";
  static constexpr const char* kSubKey = "Software\\Vellacott\\Test";
};

TEST_F(RegistryHelpers, QueryRegStringReadsNoFurtherThanTheStoredData) {
  sandbox::RegistrySetString(kKey, "WithNul", "abc");
  sandbox::RegistrySetBinary(kKey, "NoNul", {'a', 'b', 'c'}, REG_SZ);
  sandbox::RegistrySetDword(kKey, "Dword", 0x41424344);
  sandbox::RegistrySetBinary(kKey, "Empty", {}, REG_SZ);
  const struct {
    const char* name;
    bool found;
    const char* text;
  } rows[] = {
      {.name = "WithNul", .found = true, .text = "abc"},
      {.name = "NoNul", .found = true, .text = "abc"},
      {.name = "Dword", .found = true, .text = "DCBA"},  // its four bytes, type unchecked
      {.name = "Empty", .found = true, .text = ""},
      {.name = "Missing", .found = false, .text = ""},
  };
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kSubKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    CString text("poisoned text that is longer");  // what a read past the data would show
    EXPECT_EQ(QueryRegString(key, row.name, text) != FALSE, row.found);
    EXPECT_EQ(Str(text), row.text);
  }
  RegCloseKey(key);
}

TEST_F(RegistryHelpers, ReadRegStringNeitherCreatesNorNeedsWriteAccess) {
  sandbox::RegistrySetString("HKLM\\Software\\Vellacott\\Test", "v", "machine");
  sandbox::RegistrySetStandardUser(true);
  CString text("poisoned");
  EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, kSubKey, "v", text));
  EXPECT_EQ(Str(text), "machine");
  text = "poisoned";
  EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kSubKey, "w", text));
  EXPECT_EQ(Str(text), "");
  text = "poisoned";
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, "Software\\Vellacott\\Missing", "v", text));
  EXPECT_EQ(Str(text), "");
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Missing"));
  EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
}

TEST_F(RegistryHelpers, AddDirToRegListWritesTheListBackAndSaysWhenItCannot) {
  const struct {
    const char* name;
    const char* before;  // null: no value
    const char* failure;  // operation injected on the key, null for none
    bool result;
    const char* after;   // null: no value
  } rows[] = {
      {.name = "no value yet", .before = nullptr, .failure = nullptr, .result = true, .after = "C:\\Lib"},
      {.name = "appended", .before = "C:\\A", .failure = nullptr, .result = true, .after = "C:\\A;C:\\Lib"},
      {.name = "there already", .before = "c:\\lib\\;C:\\A", .failure = nullptr, .result = true,
       .after = "c:\\lib\\;C:\\A"},
      {.name = "the write fails", .before = "C:\\A", .failure = "set", .result = false, .after = "C:\\A"},
      {.name = "the key does not open", .before = "C:\\A", .failure = "open", .result = false, .after = "C:\\A"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sandbox::Reset();
    sandbox::RegistrySetDword(kKey, "other", 1);
    if (row.before) sandbox::RegistrySetString(kKey, "Library Dirs", row.before);
    if (row.failure) sandbox::RegistryInjectFailure(kKey, row.failure, ERROR_ACCESS_DENIED);
    EXPECT_EQ(AddDirToRegList(HKEY_CURRENT_USER, kSubKey, "Library Dirs", "C:\\Lib\\") != FALSE, row.result);
    EXPECT_EQ(sandbox::RegistryGetString(kKey, "Library Dirs"),
              row.after ? std::optional<std::string>(row.after) : std::nullopt);
    EXPECT_EQ(sandbox::RegistryGet(kKey, "Library Dirs").value_or(sandbox::RegistryValue{}).type,
              row.after ? static_cast<uint32_t>(REG_SZ) : 0u);
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
  }
  sandbox::Reset();
  EXPECT_FALSE(AddDirToRegList(HKEY_CURRENT_USER, kSubKey, "Library Dirs", "C:\\Lib"));
  EXPECT_FALSE(sandbox::RegistryKeyExists(kKey)) << "the key is never created";
}

}  // namespace
}  // namespace vcsetup_test
