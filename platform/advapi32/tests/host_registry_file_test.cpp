// Registry persistence in host .reg files: save and load, binding, the failed-write path, and a
// second program sharing the registry through SABLEWING_REGISTRY. Host file access (and starting
// the second program) is why this file is a host_ file.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "registry_test_support.h"
#include "sandbox/test_process.h"

namespace {

namespace fs = std::filesystem;
using regtest::Create;
using regtest::Key;
using testing::HasSubstr;

// The second program: this test executable started again with ADVAPI32_TEST_CHILD set. It runs
// before main(), after advapi32 bound the file named by SABLEWING_REGISTRY, reads what the first
// program stored and answers through the Windows API.
[[maybe_unused]] const bool kChildRan = [] {
  if (std::getenv("ADVAPI32_TEST_CHILD") == nullptr) return false;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Vellacott\\Shared", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    std::_Exit(10);
  DWORD value = 0, size = sizeof value;
  if (RegQueryValueEx(key, "FromFirst", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    std::_Exit(11);
  const DWORD answer = value + 1;
  if (regtest::SetDword(key, "FromSecond", answer) != ERROR_SUCCESS) std::_Exit(12);
  std::_Exit(RegCloseKey(key) == ERROR_SUCCESS ? 0 : 13);
}();

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class RegistryFiles : public testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() /
           ("advapi32_tests_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    sandbox::RegistryUnbindFile();
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string File(const char* name) const { return (dir_ / name).string(); }
  size_t EntriesInDir() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST_F(RegistryFiles, SaveThenLoadReplacesTheRegistry) {
  sandbox::RegistrySetString("HKCU\\Software\\Vellacott\\Saved", "Name", "value");
  const std::string file = File("saved.reg");
  ASSERT_TRUE(sandbox::RegistrySave(file));
  EXPECT_EQ(ReadFile(file), sandbox::RegistryExport());

  sandbox::RegistryClear();
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Unsaved", "v", 1);
  std::string error;
  ASSERT_TRUE(sandbox::RegistryLoad(file, &error)) << error;
  EXPECT_EQ(sandbox::RegistryGetString("HKCU\\Software\\Vellacott\\Saved", "Name"), "value");
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Unsaved"));
  EXPECT_EQ(EntriesInDir(), 1u);  // no temporary left behind
}

TEST_F(RegistryFiles, LoadRefusesMissingAndMalformedFilesAndChangesNothing) {
  sandbox::RegistrySetString("HKCU\\Software\\Vellacott\\Kept", "v", "x");
  const std::string before = sandbox::RegistryExport();
  std::string error;
  EXPECT_FALSE(sandbox::RegistryLoad(File("missing.reg"), &error));
  EXPECT_THAT(error, HasSubstr("missing.reg"));

  const std::string bad = File("bad.reg");
  WriteFile(bad, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\"v\"=dword:xyz\r\n");
  EXPECT_FALSE(sandbox::RegistryLoad(bad, &error));
  EXPECT_THAT(error, HasSubstr("bad.reg: line 4: dword:"));
  EXPECT_EQ(sandbox::RegistryExport(), before);
}

// The file is written beside and renamed only when complete: a target that cannot be replaced
// stays as it was and no temporary is left behind.
TEST_F(RegistryFiles, AFailedSaveLeavesTheTargetAsItWas) {
  const fs::path occupied = dir_ / "occupied.reg";
  fs::create_directory(occupied);
  fs::path inside = occupied / "keep.txt";
  WriteFile(inside, "keep");
  std::string error;
  EXPECT_FALSE(sandbox::RegistrySave(occupied.string(), &error));
  EXPECT_THAT(error, HasSubstr("cannot replace"));
  EXPECT_EQ(ReadFile(inside), "keep");
  EXPECT_EQ(EntriesInDir(), 1u);

  EXPECT_FALSE(sandbox::RegistrySave(File("no-such-dir/x.reg"), &error));
  EXPECT_THAT(error, HasSubstr("cannot create a temporary file"));
}

TEST_F(RegistryFiles, SaveRefusesARegistryTheFormatCannotHold) {
  const std::string file = File("partial.reg");
  WriteFile(file, "old");
  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software", key), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetDword(key, "line\nbreak", 1), ERROR_SUCCESS);
  std::string error;
  EXPECT_FALSE(sandbox::RegistrySave(file, &error));
  EXPECT_THAT(error, HasSubstr("line break"));
  EXPECT_EQ(ReadFile(file), "old");
}

TEST_F(RegistryFiles, ABoundFileFollowsEveryChangeUntilUnbound) {
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Before", "v", 1);
  const std::string file = File("bound.reg");
  sandbox::RegistryBindFile(file);  // missing: receives the registry as it is
  EXPECT_THAT(ReadFile(file), HasSubstr("[HKEY_CURRENT_USER\\Software\\Vellacott\\Before]\r\n\"v\"=dword:00000001"));

  Key key;
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "Software\\Vellacott\\Bound", key), ERROR_SUCCESS);
  ASSERT_EQ(regtest::SetString(key, "Via", "api"), ERROR_SUCCESS);
  EXPECT_THAT(ReadFile(file), HasSubstr("\"Via\"=\"api\""));
  ASSERT_EQ(RegDeleteValue(key, "Via"), ERROR_SUCCESS);
  EXPECT_THAT(ReadFile(file), testing::Not(HasSubstr("\"Via\"")));
  EXPECT_EQ(ReadFile(file), sandbox::RegistryExport());

  sandbox::RegistryUnbindFile();
  ASSERT_EQ(regtest::SetString(key, "After", "unbound"), ERROR_SUCCESS);
  EXPECT_THAT(ReadFile(file), testing::Not(HasSubstr("After")));

  // Binding an existing file replaces the registry with it.
  sandbox::RegistryClear();
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Lost", "v", 1);
  sandbox::RegistryBindFile(file);
  EXPECT_TRUE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Bound"));
  EXPECT_FALSE(sandbox::RegistryKeyExists("HKCU\\Software\\Vellacott\\Lost"));
}

TEST_F(RegistryFiles, AMalformedFileIsNotBoundAndNotTouched) {
  const std::string file = File("user.reg");
  const std::string text = "REGEDIT4\r\n[HKCU\\Software]\r\n\"v\"=oops\r\n";
  WriteFile(file, text);
  static std::string path;  // the failure macro cannot see locals
  path = file;
  EXPECT_NONFATAL_FAILURE(sandbox::RegistryBindFile(path), "line 3");
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott", "v", 1);
  EXPECT_EQ(ReadFile(file), text);
}

TEST_F(RegistryFiles, ASecondProgramSharesTheRegistryThroughTheEnvironment) {
  const std::string file = File("shared.reg");
  sandbox::RegistrySetDword("HKCU\\Software\\Vellacott\\Shared", "FromFirst", 41);
  ASSERT_TRUE(sandbox::RegistrySave(file));

  const std::string self = fs::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(sandbox::testing::RunProgram(self, {}, {"SABLEWING_REGISTRY=" + file, "ADVAPI32_TEST_CHILD=1"}), 0);

  ASSERT_TRUE(sandbox::RegistryLoad(file));
  EXPECT_EQ(sandbox::RegistryGetDword("HKCU\\Software\\Vellacott\\Shared", "FromSecond"), 42u);
}

}  // namespace
