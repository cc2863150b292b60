// Finding the driver library through the run-time's registry entry: which installed version's
// driver loads, how each kind of "Path" value is read, and that every key opened is closed.
#include "rtlink_fixture.h"

#include <algorithm>
#include <functional>

namespace rtlink_test {
namespace {

class RunTimeSearch : public RtLinkTest {};

// Run-time versions are tried newest first; the first whose folder holds the driver loads.
TEST_F(RunTimeSearch, NewestVersionWithADriverLoads) {
  const std::vector<std::string> usual = {"7.1", "7.10", "8.0", "7.1.1"};
  const struct {
    const char* name;
    std::vector<std::string> versions;
    std::vector<std::string> withoutDriver;
    const char* loads;
  } rows[] = {
      {.name = "newest first", .versions = usual, .withoutDriver = {}, .loads = "8.0"},
      {.name = "then 7.10", .versions = usual, .withoutDriver = {"8.0"}, .loads = "7.10"},
      {.name = "then 7.1.1", .versions = usual, .withoutDriver = {"8.0", "7.10"}, .loads = "7.1.1"},
      {.name = "then 7.1", .versions = usual, .withoutDriver = {"8.0", "7.10", "7.1.1"}, .loads = "7.1"},
      {.name = "names with other characters are no versions",
       .versions = {"8.0", "9.0 beta", "v9", "9-0", "9,1"}, .withoutDriver = {}, .loads = "8.0"},
      {.name = "equal parts keep the registry's order", .versions = {"7.1", "7.01", "7.001"}, .withoutDriver = {},
       .loads = "7.001"},
      {.name = "more parts first", .versions = {"8", "8.0", "7.9"}, .withoutDriver = {}, .loads = "8.0"},
      {.name = "a part too long for a number is the greatest", .versions = {"8.0", "2147483648"},
       .withoutDriver = {}, .loads = "2147483648"},
      {.name = "parts too long for a number are equal", .versions = {"4294967297", "2147483647"},
       .withoutDriver = {}, .loads = "2147483647"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FreshWorld();
    for (const std::string& version : row.versions) {
      const bool withDriver = std::find(row.withoutDriver.begin(), row.withoutDriver.end(), version) == row.withoutDriver.end();
      InstallRunTime(version, withDriver);
    }
    HMODULE gmRtDll = LoadGmRtDll();
    ASSERT_NE(gmRtDll, nullptr);
    EXPECT_EQ(Call(gmRtDll, "Initialize"), 0);
    EXPECT_EQ(LoadedDriver(), RunTimeFolder(row.loads) + "\\gmrtlink.dll");
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
    Free(gmRtDll);
  }
}

// How each "Path" value is read: the path the search ends with, or its error.
TEST_F(RunTimeSearch, PathValuesAsTheyAreStored) {
  const std::string key80 = std::string(kRunTimeKey) + "\\8.0";
  const struct {
    const char* name;
    std::function<void()> setUp;  // besides version 7.0, whose folder holds the driver
    LONG result;
    std::string path;
  } rows[] = {
      {.name = "a folder", .setUp = [&] { InstallRunTime("8.0"); }, .result = 0,
       .path = "T:\\RT\\8.0\\gmrtlink.dll"},
      {.name = "a folder ending in a backslash",
       .setUp =
           [&] {
             InstallDriver("T:\\RT\\8.0");
             sandbox::RegistrySetString(key80, "Path", "T:\\RT\\8.0\\");
           },
       .result = 0, .path = "T:\\RT\\8.0\\gmrtlink.dll"},
      {.name = "empty", .setUp = [&] { sandbox::RegistrySetString(key80, "Path", ""); }, .result = 0,
       .path = "T:\\RT\\7.0\\gmrtlink.dll"},
      {.name = "REG_DWORD", .setUp = [&] { sandbox::RegistrySetDword(key80, "Path", 8); }, .result = 0,
       .path = "T:\\RT\\7.0\\gmrtlink.dll"},
      {.name = "no Path", .setUp = [&] { sandbox::RegistrySetString(key80, "Folder", "T:\\RT\\8.0"); },
       .result = 0, .path = "T:\\RT\\7.0\\gmrtlink.dll"},
      {.name = "REG_EXPAND_SZ used as it stands",
       .setUp =
           [&] {
             InstallDriver("T:\\RT\\%RTVER%");
             sandbox::RegistrySetString(key80, "Path", "T:\\RT\\%RTVER%", REG_EXPAND_SZ);
           },
       .result = 0, .path = "T:\\RT\\%RTVER%\\gmrtlink.dll"},
      // A newer version's longer "Path" leaves its bytes in the buffer: data without a NUL
      // must end at its stored size.
      {.name = "stored without its NUL",
       .setUp =
           [&] {
             sandbox::RegistrySetString(std::string(kRunTimeKey) + "\\9.0", "Path", "T:\\RT\\9.0 has no driver here");
             InstallDriver("T:\\RT\\8.0");
             const std::string folder = "T:\\RT\\8.0";
             sandbox::RegistrySetBinary(key80, "Path", Bytes(folder.begin(), folder.end()), REG_SZ);
           },
       .result = 0, .path = "T:\\RT\\8.0\\gmrtlink.dll"},
      // In code page 932 "\x95\x5C" is one character whose trail byte is a backslash's.
      {.name = "ending in a double-byte character with trail byte 0x5C",
       .setUp =
           [&] {
             sandbox::SetCodePage(932);
             InstallDriver("T:\\RT\\\x95\x5C");
             sandbox::RegistrySetString(key80, "Path", "T:\\RT\\\x95\x5C");
           },
       .result = 0, .path = "T:\\RT\\\x95\x5C\\gmrtlink.dll"},
      {.name = "no version holds the driver",
       .setUp =
           [&] {
             sandbox::RegistryDeleteKey(std::string(kRunTimeKey) + "\\7.0");
             InstallRunTime("8.0", false);
           },
       .result = 0, .path = ""},
      {.name = "no run-time key", .setUp = [&] { sandbox::RegistryDeleteKey(kRunTimeKey); },
       .result = ERROR_FILE_NOT_FOUND, .path = ""},
      {.name = "the enumeration fails",
       .setUp = [&] { sandbox::RegistryInjectFailure(kRunTimeKey, "enum", ERROR_ACCESS_DENIED); },
       .result = ERROR_ACCESS_DENIED, .path = ""},
      {.name = "a version key cannot be read",
       .setUp =
           [&] {
             InstallRunTime("8.0");
             sandbox::RegistryInjectFailure(key80, "info", ERROR_ACCESS_DENIED);
           },
       .result = 0, .path = "T:\\RT\\7.0\\gmrtlink.dll"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FreshWorld();
    InstallRunTime("7.0");
    row.setUp();
    HMODULE probe = LoadProbe();
    ASSERT_NE(probe, nullptr);
    char path[MAX_PATH * 2] = "poison";
    EXPECT_EQ(Entry<LONG (*)(char*, DWORD)>(probe, "ProbeRunTimeLibraryPath")(path, sizeof path), row.result);
    EXPECT_EQ(std::string(path), row.path);
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u) << "every key opened is closed";
    Free(probe);
  }
}

}  // namespace
}  // namespace rtlink_test
