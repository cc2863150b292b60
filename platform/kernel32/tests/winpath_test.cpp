// The Windows path rules as a pure function: tables of text -> (root, components) or error, with
// no disk and no process state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../winpath.h"

namespace wp = kernel32::winpath;

namespace {

bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

wp::WinPath Current() {
  wp::WinPath current;
  current.drive = 'C';
  current.components = {"cur", "dir"};
  return current;
}

wp::WinPath UncCurrent() {
  wp::WinPath current;
  current.server = "srv";
  current.share = "share";
  current.components = {"sub"};
  return current;
}

struct ParseCase {
  const char* text;
  std::string root = "C:";
  std::vector<std::string> components = {};
  uint32_t error = wp::kOk;
  bool trailingSeparator = false;
  bool dbcs = false;        // parse under code page 932's lead bytes
  bool unc = false;         // against a current directory on a UNC share
  bool lexical = false;     // GetFullPathName's rules (names not validated)
};

TEST(WinPath, ParseTable) {
  const ParseCase cases[] = {
      {.text = "C:\\a\\b", .components = {"a", "b"}},
      {.text = "c:/a/b", .components = {"a", "b"}},
      {.text = "C:\\a/b\\\\c", .components = {"a", "b", "c"}},
      {.text = "C:\\a\\.\\b\\..\\c", .components = {"a", "c"}},
      {.text = "C:\\..\\..\\a", .components = {"a"}},
      {.text = "C:\\", .components = {}, .trailingSeparator = true},
      {.text = "C:a", .components = {"cur", "dir", "a"}},
      {.text = "C:..\\x", .components = {"cur", "x"}},
      {.text = "C:", .components = {"cur", "dir"}},
      {.text = "D:a", .root = "D:", .components = {"a"}},
      {.text = "d:", .root = "D:", .components = {}},
      {.text = "\\x\\y", .components = {"x", "y"}},
      {.text = "/x", .components = {"x"}},
      {.text = "x\\y", .components = {"cur", "dir", "x", "y"}},
      {.text = ".", .components = {"cur", "dir"}},
      {.text = "..\\..\\..\\..", .components = {}},
      {.text = "C:\\dir\\", .components = {"dir"}, .trailingSeparator = true},
      {.text = "C:\\file.  ", .components = {"file"}},
      {.text = "C:\\a.\\b", .components = {"a", "b"}},
      {.text = "C:\\ lead", .components = {" lead"}},
      {.text = "C:\\console.txt", .components = {"console.txt"}},
      // UNC: ".." stops at the share.
      {.text = "\\\\srv\\share\\a\\..\\..\\b", .root = "\\\\srv\\share", .components = {"b"}},
      {.text = "//srv/share", .root = "\\\\srv\\share", .components = {}},
      {.text = "\\x", .root = "\\\\srv\\share", .components = {"x"}, .unc = true},
      {.text = "y", .root = "\\\\srv\\share", .components = {"sub", "y"}, .unc = true},
      // Errors.
      {.text = "", .error = wp::kPathNotFound},
      {.text = "\\\\srv", .error = wp::kBadPathname},
      {.text = "\\\\srv\\", .error = wp::kBadPathname},
      {.text = "\\\\?\\C:\\x", .error = wp::kNotImplemented},
      {.text = "\\\\.\\pipe\\x", .error = wp::kNotImplemented},
      {.text = "C:\\NUL", .error = wp::kNotImplemented},
      {.text = "C:\\dir\\con.txt", .error = wp::kNotImplemented},
      {.text = "lpt1", .error = wp::kNotImplemented},
      {.text = "C:\\a<b", .error = wp::kInvalidName},
      {.text = "C:\\a>b", .error = wp::kInvalidName},
      {.text = "C:\\a|b", .error = wp::kInvalidName},
      {.text = "C:\\a\"b", .error = wp::kInvalidName},
      {.text = "C:\\a?b", .error = wp::kInvalidName},
      {.text = "C:\\*.txt", .error = wp::kInvalidName},
      {.text = "C:\\a:b", .error = wp::kInvalidName},
      {.text = "ab:c", .error = wp::kInvalidName},
      {.text = "1:\\x", .error = wp::kInvalidName},
      {.text = "C:\\a\tb", .error = wp::kInvalidName},
      // Double-byte: the trail byte 0x5C of U+8868 is not a separator, 0x7C is not a '|'.
      {.text = "C:\\\x95\x5C\\x", .components = {"\x95\x5C", "x"}, .dbcs = true},
      {.text = "C:\\\x95\x5C\\x", .components = {"\x95", "x"}},
      {.text = "C:\\\x83\x7C", .components = {"\x83\x7C"}, .dbcs = true},
      {.text = "C:\\\x83\x7C", .error = wp::kInvalidName},
      // GetFullPathName works on the text alone.
      {.text = "C:\\a\\*.txt", .components = {"a", "*.txt"}, .lexical = true},
      {.text = "NUL", .components = {"cur", "dir", "NUL"}, .lexical = true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    wp::ParseOptions options;
    options.validateNames = !c.lexical;
    const auto result =
        wp::Parse(c.text, c.unc ? UncCurrent() : Current(), c.dbcs ? wp::LeadBytePredicate(Cp932Lead) : nullptr, options);
    EXPECT_EQ(result.error, c.error);
    if (c.error != wp::kOk) continue;
    EXPECT_EQ(result.path.Root(), c.root);
    EXPECT_EQ(result.path.components, c.components);
    EXPECT_EQ(result.path.trailingSeparator, c.trailingSeparator);
  }
}

TEST(WinPath, ToStringWritesBackslashesAndARootSeparator) {
  wp::WinPath path;
  path.drive = 'C';
  EXPECT_EQ(path.ToString(), "C:\\");
  path.components = {"a", "b"};
  EXPECT_EQ(path.ToString(), "C:\\a\\b");
  EXPECT_EQ(path.Parent().ToString(), "C:\\a");
  EXPECT_EQ(path.Child("c").ToString(), "C:\\a\\b\\c");
  EXPECT_EQ(UncCurrent().ToString(), "\\\\srv\\share\\sub");
}

struct SplitCase {
  const char* text;
  const char* folder;
  const char* pattern;
};

TEST(WinPath, SplitLastTable) {
  const SplitCase cases[] = {
      {.text = "C:\\dir\\*.txt", .folder = "C:\\dir\\", .pattern = "*.txt"},
      {.text = "C:/dir/x", .folder = "C:/dir/", .pattern = "x"},
      {.text = "C:*.txt", .folder = "C:", .pattern = "*.txt"},
      {.text = "*.*", .folder = "", .pattern = "*.*"},
      {.text = "C:\\dir\\", .folder = "C:\\dir\\", .pattern = ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto [folder, pattern] = wp::SplitLast(c.text, nullptr);
    EXPECT_EQ(folder, c.folder);
    EXPECT_EQ(pattern, c.pattern);
  }
  // Under 932 the trail byte 0x5C does not split.
  const auto [folder, pattern] = wp::SplitLast("C:\\\x95\x5C", Cp932Lead);
  EXPECT_EQ(folder, "C:\\");
  EXPECT_EQ(pattern, "\x95\x5C");
}

class DriveMapTest : public testing::Test {
 protected:
  DriveMapTest() {
    map.drives['Z'] = "/";
    map.drives['C'] = "/tmp/c";
    map.drives['D'] = "/tmp/c/deeper";
    map.shares[wp::ShareKey("Srv", "Share")] = "/srv/share";
  }
  wp::WinPath Parsed(const char* text) { return wp::Parse(text, Current(), nullptr).path; }
  wp::DriveMap map;
};

TEST_F(DriveMapTest, RootsMapToTheirFolders) {
  EXPECT_EQ(wp::MapRoot(Parsed("C:\\x"), map).hostFolder, "/tmp/c");
  EXPECT_EQ(wp::MapRoot(Parsed("z:\\x"), map).hostFolder, "/");
  EXPECT_EQ(wp::MapRoot(Parsed("\\\\SRV\\share\\x"), map).hostFolder, "/srv/share");  // either case
  EXPECT_EQ(wp::MapRoot(Parsed("Q:\\x"), map).error, wp::kPathNotFound);
  EXPECT_EQ(wp::MapRoot(Parsed("\\\\srv\\other\\x"), map).error, wp::kBadNetPath);
}

TEST_F(DriveMapTest, PathsOfMaxPathCharactersAreRefused) {
  const std::string fits = "C:\\" + std::string(256, 'a');  // 259 characters, MAX_PATH - 1
  EXPECT_EQ(wp::MapRoot(Parsed(fits.c_str()), map).error, wp::kOk);
  const std::string tooLong = fits + "a";
  EXPECT_EQ(wp::MapRoot(Parsed(tooLong.c_str()), map).error, wp::kFilenameTooLong);
}

struct BackCase {
  const char* host;
  const char* windows;  // nullptr: not mappable
};

TEST_F(DriveMapTest, HostToWindowsTakesTheLongestPrefix) {
  const BackCase cases[] = {
      {.host = "/tmp/c/deeper/x", .windows = "D:\\x"},
      {.host = "/tmp/c/x/y", .windows = "C:\\x\\y"},
      {.host = "/tmp/c", .windows = "C:\\"},
      {.host = "/tmp/cx", .windows = "Z:\\tmp\\cx"},  // a prefix counts only at a '/'
      {.host = "/srv/share/a", .windows = "\\\\SRV\\SHARE\\a"},
      {.host = "/", .windows = "Z:\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.host);
    auto back = wp::HostToWindows(c.host, map);
    ASSERT_TRUE(back.has_value());
    wp::WinPath path = back->root;
    path.components = back->hostComponents;
    EXPECT_EQ(path.ToString(), c.windows);
  }
  map.drives.erase('Z');
  EXPECT_FALSE(wp::HostToWindows("/elsewhere", map).has_value());
}

}  // namespace
