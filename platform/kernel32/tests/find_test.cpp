// FindFirstFile/FindNextFile over a temporary drive: wildcard rules, the fixed order, the data of
// each entry, and the error codes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;

bool Touch(const char* path, const std::string& text = "") {
  HANDLE h = CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return CloseHandle(h) != FALSE;
}

// Every name a search returns, in order; the handle is closed. Empty when the search finds
// nothing (the last error then says why).
std::vector<std::string> Names(const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATA data;
  HANDLE find = FindFirstFile(pattern, &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(data.cFileName);
  while (FindNextFile(find, &data));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NO_MORE_FILES});
  FindClose(find);
  return names;
}

using List = std::vector<std::string>;

class FindTest : public testing::Test {
 protected:
  void SetUp() override {
    host = sandbox::MapTempDrive('T');
    ASSERT_TRUE(CreateDirectory("T:\\Dir", nullptr));
    ASSERT_TRUE(CreateDirectory("T:\\Dir\\Sub", nullptr));
    for (const char* name : {"Beta.txt", "alpha.TXT", "gamma.doc", "README", "notes.txt.bak", "x.y.z", "_under.txt"})
      ASSERT_TRUE(Touch(("T:\\Dir\\" + std::string(name)).c_str(), name));
  }
  std::string host;
};

struct PatternCase {
  const char* pattern;
  List names;
};

TEST_F(FindTest, WildcardsAndOrder) {
  // Ordered by the upper-cased name, as the file system keeps them: '_' sorts after the letters.
  const List all = {".", "..", "alpha.TXT", "Beta.txt", "gamma.doc", "notes.txt.bak", "README", "Sub", "x.y.z", "_under.txt"};
  const PatternCase cases[] = {
      {.pattern = "T:\\Dir\\*", .names = all},
      {.pattern = "T:\\Dir\\*.*", .names = all},  // also names without a dot
      {.pattern = "T:\\Dir\\*.txt", .names = {"alpha.TXT", "Beta.txt", "_under.txt"}},  // not notes.txt.bak
      {.pattern = "T:\\Dir\\*.", .names = {".", "..", "README", "Sub"}},           // no extension
      {.pattern = "T:\\Dir\\readme.*", .names = {"README"}},                       // "name.*" finds "name"
      {.pattern = "T:\\Dir\\gamma.*", .names = {"gamma.doc"}},
      {.pattern = "T:\\Dir\\BETA.TXT", .names = {"Beta.txt"}},                     // no wildcard, any case
      {.pattern = "T:\\Dir\\?eta.txt", .names = {"Beta.txt"}},
      {.pattern = "T:\\Dir\\*.t?t", .names = {"alpha.TXT", "Beta.txt", "_under.txt"}},
      {.pattern = "T:\\Dir\\????", .names = {"Sub"}},  // '?' may match nothing at the end
      // ".*" may match nothing at the end, so this also finds the plain .txt names.
      {.pattern = "T:\\Dir\\*.TXT.*", .names = {"alpha.TXT", "Beta.txt", "notes.txt.bak", "_under.txt"}},
      {.pattern = "T:\\Dir\\x.*", .names = {"x.y.z"}},
      {.pattern = "T:\\Dir\\*z", .names = {"x.y.z"}},
      {.pattern = "t:/dir/s*", .names = {"Sub"}},
      {.pattern = "T:\\Dir\\Sub", .names = {"Sub"}},  // a directory's own entry
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Names(c.pattern), c.names);
  }
}

TEST_F(FindTest, TheRootHasNoDotEntries) { EXPECT_EQ(Names("T:\\*"), (List{"Dir"})); }

TEST_F(FindTest, RelativeAndDriveRelativePatternsUseTheCurrentDirectory) {
  ASSERT_TRUE(SetCurrentDirectory("T:\\Dir"));
  EXPECT_EQ(Names("*.doc"), (List{"gamma.doc"}));
  EXPECT_EQ(Names("T:*.doc"), (List{"gamma.doc"}));
  EXPECT_EQ(Names("Sub\\*"), (List{".", ".."}));
  EXPECT_EQ(Names("..\\*"), (List{"Dir"}));
}

TEST_F(FindTest, EntryData) {
  ASSERT_TRUE(SetFileAttributes("T:\\Dir\\Beta.txt", FILE_ATTRIBUTE_READONLY));
  WIN32_FIND_DATA data;
  std::memset(&data, 0xCC, sizeof data);
  HANDLE find = FindFirstFile("T:\\Dir\\b*", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "Beta.txt");
  EXPECT_STREQ(data.cAlternateFileName, "");  // 8.3 names are not modelled
  EXPECT_EQ(data.dwFileAttributes, DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
  EXPECT_EQ(data.nFileSizeLow, 8u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
  SetLastError(kPoison);
  std::memset(&data, 0xCC, sizeof data);
  EXPECT_FALSE(FindNextFile(find, &data));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NO_MORE_FILES});
  EXPECT_EQ(static_cast<unsigned char>(data.cFileName[0]), 0xCCu);  // untouched at the end
  EXPECT_TRUE(FindClose(find));
  SetLastError(kPoison);
  EXPECT_FALSE(FindClose(find));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});

  find = FindFirstFile("T:\\Dir\\S*", &data);
  EXPECT_EQ(data.dwFileAttributes, DWORD{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(data.nFileSizeLow, 0u);
  FindClose(find);
}

struct FindError {
  const char* pattern;
  DWORD error;
};

TEST_F(FindTest, Errors) {
  const FindError cases[] = {
      {.pattern = "T:\\Dir\\nothing*", .error = ERROR_FILE_NOT_FOUND},
      {.pattern = "T:\\Dir\\Sub\\*.txt", .error = ERROR_FILE_NOT_FOUND},
      {.pattern = "T:\\missing\\*", .error = ERROR_PATH_NOT_FOUND},
      {.pattern = "T:\\Dir\\Beta.txt\\*", .error = ERROR_PATH_NOT_FOUND},
      // A plain name is looked up without listing its folder; the errors are the same.
      {.pattern = "T:\\Dir\\nothing.txt", .error = ERROR_FILE_NOT_FOUND},
      {.pattern = "T:\\missing\\Beta.txt", .error = ERROR_PATH_NOT_FOUND},
      {.pattern = "T:\\Dir\\Beta.txt\\a.txt", .error = ERROR_PATH_NOT_FOUND},
      {.pattern = "T:\\Dir\\", .error = ERROR_FILE_NOT_FOUND},
      {.pattern = "T:\\Dir\\a|b*", .error = ERROR_INVALID_NAME},
      {.pattern = "Q:\\*", .error = ERROR_PATH_NOT_FOUND},
      {.pattern = "", .error = ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    WIN32_FIND_DATA data;
    std::memset(&data, 0xCC, sizeof data);
    SetLastError(kPoison);
    EXPECT_EQ(FindFirstFile(c.pattern, &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(static_cast<unsigned char>(data.cFileName[0]), 0xCCu);
  }
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(FindTest, HostNamesComeBackInTheCodePage) {
  std::ofstream(host + "/Dir/Sub/caf\xC3\xA9.txt") << "1";
  std::ofstream(host + "/Dir/Sub/\xE8\xA1\xA8.txt") << "2";  // U+8868, not in code page 1252
  std::ofstream(host + "/Dir/Sub/a:b.txt") << "3";           // a name Windows cannot hold
  EXPECT_EQ(Names("T:\\Dir\\Sub\\*.txt"), (List{"caf\xE9.txt"}));
  EXPECT_EQ(Names("T:\\Dir\\Sub\\CAF\xC9.*"), (List{"caf\xE9.txt"}));
  sandbox::SetCodePage(932);
  EXPECT_EQ(Names("T:\\Dir\\Sub\\*.txt"), (List{"\x95\x5C.txt"}));  // now it can be spelled
}

TEST_F(FindTest, InjectedFindFailure) {
  sandbox::InjectFileFailure("T:\\DIR", "find", ERROR_NOT_READY);
  WIN32_FIND_DATA data;
  SetLastError(kPoison);
  EXPECT_EQ(FindFirstFile("T:\\Dir\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NOT_READY});
  EXPECT_EQ(Names("T:\\Dir\\*.doc"), (List{"gamma.doc"}));
  sandbox::InjectFileFailure("T:\\DIR", "find", ERROR_NOT_READY);
  SetLastError(kPoison);
  EXPECT_EQ(FindFirstFile("T:\\Dir\\gamma.doc", &data), INVALID_HANDLE_VALUE) << "a plain name is a search too";
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NOT_READY});
}

}  // namespace
